#ifndef TESTS_DG_TESTMODULE_HPP
#define TESTS_DG_TESTMODULE_HPP

#include <string>
#include <vector>

#include "RS/RS.hpp"

namespace DGTests {

// A resource module image written byte by byte in the module format, registered while the
// object lives.
class TestModule {
public:
    TestModule() = default;
    ~TestModule();
    TestModule(const TestModule&) = delete;
    TestModule& operator=(const TestModule&) = delete;

    void AddDialog(GSResID id, const RS::DialogResource& dialog);
    void AddAlert(GSResID id, const RS::AlertResource& alert);
    // Registers the image; fails the test when RS refuses it.
    GSResModule Register();

private:
    struct Entry {
        RS::ResType type;
        GSResID id;
        std::vector<unsigned char> data;
    };
    std::vector<Entry> entries_;
    GSResModule module_ = InvalidResModule;
};

RS::DialogItemResource MakeItem(RS::ItemKind kind, short x, short y, short width, short height,
                                const char* text = "", bool hasHeader = false);

// Resources shaped like the add-on's palette (32512) and create-stamp dialog (32510).
RS::DialogResource PaletteResource();
RS::DialogResource StampDialogResource();

} // namespace DGTests

#endif
