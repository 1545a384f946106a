// The walker table: resource form -> walker. A new walker is one row here plus its own file.
#include "dump/decode.h"

namespace {

// The walker of each resource form, in the order of ResourceForm; null where the form's
// printer checks the bytes itself.
struct FormWalker {
    ResourceForm form;
    ResourceWalker walker;
};

constexpr FormWalker kFormWalkers[] = {
    {kPropertyListForm, WalkPropertyList},
    {kAddInsForm, WalkAddIns},
    {kTerminologyForm, WalkTerminology},
    {kTextForm, nullptr},
    {kViewerForm, nullptr},
    {kStringTableForm, WalkStringTable},
    {kPathForm, nullptr},
};

static_assert(IndexedInOrder(kFormWalkers, &FormWalker::form, kResourceFormCount),
              "one row per resource form, in the forms' order");

}  // namespace

ResourceWalker FindWalker(const ResId& type) {
    const ResourceFormat* row = FindResourceFormat(type);
    return row ? kFormWalkers[row->form].walker : nullptr;
}

bool WalkEntry(const ResEntry& entry, std::string& line, std::string& error) {
    line = entry.type.Display() + " " + entry.name.Display() + " " +
           std::to_string(entry.data.size()) + " bytes: ";
    const ResourceWalker walker = FindWalker(entry.type);
    if (!walker) {
        line += "not walked";
        return true;
    }
    std::string summary;
    if (!walker(entry, summary, error)) {
        error = entry.type.Display() + " " + entry.name.Display() + ": " + error;
        return false;
    }
    line += summary;
    return true;
}
