// A library part file that reads is written back and reads as the same part; one that does not
// read names a place inside the file and a reason.
#include <cstddef>
#include <cstdint>

#include "Formats/LibPart/LibPartFile.hpp"
#include "FuzzCheck.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LibPartFormat::ReadResult read = LibPartFormat::Read("Fuzz.gsm", data, size);
    if (!read.Ok()) {
        Require(!read.problem.reason.empty(), "a refused file has a reason");
        Require(read.problem.offset <= size, "the problem lies inside the file: " + read.problem.Describe());
        return 0;
    }
    const LibPartFormat::WriteResult written = LibPartFormat::Write(*read.part);
    Require(written.Ok(), "a part that was read can be written: " + written.error);
    const LibPartFormat::ReadResult again = LibPartFormat::Read("Fuzz.gsm", written.bytes);
    Require(again.Ok(), "a written part reads: " + again.problem.Describe());
    Require(again.part->SameContent(*read.part), "a written part reads as the part it was");
    return 0;
}
