#include "Report/StampDisplay.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

// Mirrors the stamp library part's master and 2D scripts; keep the two in step.
namespace Report {

namespace {

// A parameter as the script sees it: VARDIM1 x VARDIM2 cells, missing cells read as 0 or "".
class Cells {
public:
    explicit Cells(const Headless::Parameter* parameter) {
        if (parameter == nullptr)
            return;
        if (parameter->IsArray()) {
            rows_ = std::max(0, parameter->GetDim1());
            columns_ = std::max(0, parameter->GetDim2());
            if (parameter->GetType() == APIParT_CString)
                for (const GS::UniString& text : parameter->GetTexts())
                    texts_.push_back(text.ToUtf8());
            else
                numbers_ = parameter->GetNumbers();
        } else {
            rows_ = 1;
            columns_ = 1;
            if (parameter->GetType() == APIParT_CString)
                texts_.push_back(parameter->GetText().ToUtf8());
            else
                numbers_.push_back(parameter->GetReal());
        }
    }
    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    double Number(int row, int column) const { // from 1, as in the script
        const std::size_t at = Index(row, column);
        return at < numbers_.size() ? numbers_[at] : 0.0;
    }
    std::string Text(int row, int column) const {
        const std::size_t at = Index(row, column);
        return at < texts_.size() ? texts_[at] : std::string();
    }

private:
    std::size_t Index(int row, int column) const {
        return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>(column - 1);
    }
    int rows_ = 0;
    int columns_ = 0;
    std::vector<double> numbers_;
    std::vector<std::string> texts_;
};

double Scalar(const Headless::ParameterList& parameters, const char* name, double fallback) {
    const Headless::Parameter* parameter = Headless::FindParameter(parameters, name);
    return parameter != nullptr && !parameter->IsArray() && parameter->GetType() != APIParT_CString
               ? parameter->GetReal()
               : fallback;
}

std::string Text(const Headless::ParameterList& parameters, const char* name, const char* fallback) {
    const Headless::Parameter* parameter = Headless::FindParameter(parameters, name);
    return parameter != nullptr && !parameter->IsArray() && parameter->GetType() == APIParT_CString
               ? parameter->GetText().ToUtf8()
               : fallback;
}

int Clamp(double value, int low, int high) {
    return std::max(low, std::min(high, static_cast<int>(std::floor(value))));
}

// STR(x, 1, decimals)
std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    std::string result = text;
    if (result.find_first_not_of("-0.") == std::string::npos && result[0] == '-')
        result.erase(0, 1); // no "-0.00"
    return result;
}

} // namespace

StampDisplay ComputeStampDisplay(const Headless::ParameterList& parameters) {
    const auto cells = [&](const char* name) { return Cells(Headless::FindParameter(parameters, name)); };
    const int areaColumn = Clamp(Scalar(parameters, "zm_areaColumn", 1.0), 1, 4);
    const int decimals = Clamp(Scalar(parameters, "zm_decimals", 2.0), 0, 6);
    const std::string unit = Text(parameters, "zm_unitText", "m\xC2\xB2");
    const std::string unitSuffix = unit.empty() ? std::string() : " " + unit;

    const Cells roomCats = cells("zm_roomCats");
    const Cells roomAreas = cells("zm_roomAreasInZari");
    const Cells exists = cells("zm_ZoneCatExists");
    const Cells codes = cells("zm_ZoneCatCodes");
    const Cells names = cells("zm_ZoneCatNames");
    const Cells lineTexts = cells("zm_lineTexts");
    const Cells lines = cells("zm_lines");

    const int roomCount = roomCats.Columns() >= 1 && roomAreas.Columns() >= areaColumn
                              ? std::min(roomCats.Rows(), roomAreas.Rows())
                              : 0;
    const int categoryCount = exists.Columns() >= 1 && codes.Columns() >= 1 && names.Columns() >= 1
                                  ? std::min({exists.Rows(), codes.Rows(), names.Rows()})
                                  : 0;
    const int textCount = lineTexts.Columns() >= 1 ? lineTexts.Rows() : 0;
    int lineCount = lines.Columns() >= 1 ? lines.Rows() : 0;
    if (lineCount == 1 && std::fabs(lines.Number(1, 1) + 2) < 0.0001)
        lineCount = 0;

    double total = 0.0;
    for (int room = 1; room <= roomCount; ++room)
        total += roomAreas.Number(room, areaColumn);

    StampDisplay display;
    display.title = Text(parameters, "zm_apartmentId", "");
    for (int line = 1; line <= lineCount; ++line) {
        const double category = lines.Number(line, 1);
        const int index = static_cast<int>(std::floor(category + 0.5));
        std::string categoryText = "#" + Fixed(category, 0);
        if (index >= 1 && index <= categoryCount && std::fabs(category - index) < 0.0001 &&
            exists.Number(index, 1) > 0.5) {
            categoryText = codes.Text(index, 1);
            if (categoryText.empty())
                categoryText = names.Text(index, 1);
        }
        double sum = 0.0;
        for (int room = 1; room <= roomCount; ++room) {
            if (std::fabs(roomCats.Number(room, 1) - category) < 0.0001)
                sum += roomAreas.Number(room, areaColumn);
        }
        const std::string lineText = line <= textCount ? lineTexts.Text(line, 1) : std::string();
        display.lines.push_back({lineText.empty() ? categoryText : lineText + " " + categoryText,
                                 Fixed(sum, decimals) + unitSuffix});
    }
    display.total = {Text(parameters, "zm_totalText", "Total"), Fixed(total, decimals) + unitSuffix};
    return display;
}

} // namespace Report
