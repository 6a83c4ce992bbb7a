// Any bytes as a dBASE table: opening, reading every value, then the
// catalogue's order, filter, navigation and lookup must give dbf::Error or
// work, never crash, hang or read out of bounds.
#include "catalogue/profiles.h"

#include <cstddef>
#include <cstdint>

using namespace qeln;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        dbf::Table t = dbf::Table::fromBytes(std::string(reinterpret_cast<const char*>(data), size));
        for (int i = 0; i < t.recordCount(); ++i) {
            const dbf::Record r = t.record(i);
            for (const dbf::Field& f : t.schema().fields()) {
                try {
                    switch (f.type) {
                    case dbf::FieldType::character: (void)r.text(f.name); (void)r.paddedText(f.name); break;
                    case dbf::FieldType::numeric: (void)r.number(f.name); break;
                    case dbf::FieldType::logical: (void)r.logical(f.name); break;
                    }
                } catch (const dbf::Error&) {
                }
            }
        }
        ProfileCatalogue c = ProfileCatalogue::fromTable(std::move(t));
        const auto text = [](int id) { return std::to_string(id); };
        (void)c.Profilsuchen("HE 320 A", text, nullptr);
        (void)c.applyFamilyText("he 3");
        for (c.first(); !c.eof(); c.next())
            (void)c.current();
        (void)c.visibleRecords();
        c.filterloeschen();
    } catch (const dbf::Error&) {
    }
    return 0;
}
