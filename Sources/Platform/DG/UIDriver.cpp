#include "DG/UIDriver.hpp"

namespace DG {

namespace {
UIDriver* currentDriver = nullptr;
} // namespace

UIDriver* SetUIDriver(UIDriver* driver) {
    UIDriver* previous = currentDriver;
    currentDriver = driver;
    return previous;
}

UIDriver* GetUIDriver() {
    return currentDriver;
}

} // namespace DG
