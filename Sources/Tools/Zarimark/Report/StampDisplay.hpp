#ifndef ZARIMARK_REPORT_STAMPDISPLAY_HPP
#define ZARIMARK_REPORT_STAMPDISPLAY_HPP

#include <string>
#include <vector>

#include "HeadlessHost/Parameters.hpp"

namespace Report {

// What a stamp shows, computed from its parameters by the rules of the stamp library part's
// 2D script: the apartment ID as title, one line per listed zone category with the summed area
// of that category's rooms, and the apartment's total.
struct StampDisplay {
    struct Line {
        std::string text;  // line text and category, e.g. "Area LIV"
        std::string value; // e.g. "20.00 m²"
    };
    std::string title;
    std::vector<Line> lines;
    Line total;
};

StampDisplay ComputeStampDisplay(const Headless::ParameterList& parameters);

} // namespace Report

#endif
