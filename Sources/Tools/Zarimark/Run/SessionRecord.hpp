#ifndef ZARIMARK_RUN_SESSIONRECORD_HPP
#define ZARIMARK_RUN_SESSIONRECORD_HPP

#include <cstddef>
#include <string>
#include <vector>

#include "GSRoot/Definitions.hpp"
#include "Host/APIGuid.hpp"

namespace Run {

// What one step did, as positions into the host's and the platform's logs.
struct StepRecord {
    std::size_t index = 0;
    std::string path;
    std::string note;
    std::string summary;
    GSErrCode result = NoError;
    std::vector<std::string> notes;
    std::vector<std::string> unusedAnswers; // paths of answers nobody asked for
    std::size_t firstBatch = 0, endBatch = 0;
    std::size_t firstUiEntry = 0, endUiEntry = 0;
    std::size_t firstDebugLine = 0, endDebugLine = 0;
    std::size_t firstCall = 0, endCall = 0; // the host's call log: what the add-on asked of the host
    std::vector<API_Guid> staleStamps;      // after the step, by the report's reference
    bool undo = false;                      // the user's undo: the add-on is not told of it
};

struct SessionRecord {
    std::string description;
    std::string modulePath;
    std::vector<StepRecord> steps;
    std::vector<API_Guid> staleAtStart; // in the project as laid out, before the first step
};

} // namespace Run

#endif
