#ifndef ZARIMARK_SWEEP_FAULTPLAN_HPP
#define ZARIMARK_SWEEP_FAULTPLAN_HPP

#include <cstddef>
#include <string>
#include <vector>

#include "GSRoot/Definitions.hpp"

namespace Sweep {

// The operations each step's action called in the play without faults, in call order.
using CallsByStep = std::vector<std::vector<std::string>>;

// One fault run: a host call of the play without faults made to fail.
struct Fault {
    std::size_t step = 0;   // the step whose action makes the call
    int call = 1;           // the call's number within that step, from 1
    std::size_t number = 1; // its number over every step's calls, from 1
    std::string operation;  // what the call asks when nothing fails
    GSErrCode code = 0;
    bool persistent = false; // every later call fails too
};

// The codes a call of `operation` is made to fail with: every refusal for the operations the
// host refuses (a change or a deletion of an element), the plain host error for all of them.
std::vector<GSErrCode> CodesFor(const std::string& operation);

// Every call of the play, made to fail once and from there on, with each of its codes; in call
// order, then code, then once before from there on.
std::vector<Fault> PlanFaults(const CallsByStep& calls);

// "0x8106012F"
std::string CodeText(GSErrCode code);
// "call 2 of step [3] (HostChangeElement) fails with 0x8106012F, and every later call too"
std::string DescribeFault(const Fault& fault);

} // namespace Sweep

#endif
