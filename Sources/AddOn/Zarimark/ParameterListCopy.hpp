#ifndef ZARIMARK_PARAMETERLISTCOPY_HPP
#define ZARIMARK_PARAMETERLISTCOPY_HPP

#include "Host/HostRecords.hpp"

namespace Zarimark {

// A deep copy of a parameter list, arrays included, owned by the add-on and released with the
// scope. Lets one template give each new stamp parameters of its own.
class ParameterListCopy {
public:
    explicit ParameterListCopy(const API_AddParType* const* params);
    ~ParameterListCopy();
    ParameterListCopy(const ParameterListCopy&) = delete;
    ParameterListCopy& operator=(const ParameterListCopy&) = delete;

    // False when memory ran out; the memo then holds no parameters.
    bool IsValid() const { return valid_; }
    API_ElementMemo& GetMemo() { return memo_; }

private:
    API_ElementMemo memo_;
    bool valid_ = false;
};

} // namespace Zarimark

#endif
