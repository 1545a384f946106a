// The resource types: one row per type a source declares (resources.def), for the
// converter's dispatch and the dump's printers.
#pragma once
#include <cstdint>

enum ResourceStatement : uint8_t { kResourceStatement, kDataStatement };

// The layout of a resource; the converter has one converter per form, the dump one printer.
enum ResourceForm : uint8_t {
    kPropertyListForm,
    kAddInsForm,
    kTerminologyForm,
    kTextForm,
    kViewerForm,  // converted only with -x
    kStringTableForm,
    kPathForm,
    kResourceFormCount
};

struct ResourceFormat {
    const char* source;
    ResourceStatement statement;
    const char* stored;
    ResourceForm form;
};

extern const ResourceFormat kResourceFormats[];
extern const int kResourceFormatCount;
