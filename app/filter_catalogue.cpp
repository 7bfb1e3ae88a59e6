#include "app/filter_catalogue.h"

#include <array>

#include "filters/line_endings.h"

namespace quor {
namespace {

// The catalogue runs each filter with the values of the moment.
template <void (*Filter)(TextDocument&, Messages&)>
void RunOnDocument(Application& app) {
  Filter(app.document, app.messages);
}

constexpr std::array kCatalogue = {
    FilterEntry{"Dos -> Mac", 110, "-F206", RunOnDocument<DosToMac>,
                &Settings::dos_to_mac},
    FilterEntry{"Mac -> Dos", 111, "-F207", RunOnDocument<MacToDos>,
                &Settings::mac_to_dos},
    FilterEntry{"Dos -> Unix", 121, "-F208", RunOnDocument<DosToUnix>,
                &Settings::dos_to_unix},
    FilterEntry{"Unix -> Dos", 122, "-F209", RunOnDocument<UnixToDos>,
                &Settings::unix_to_dos},
};

}  // namespace

std::span<const FilterEntry> FilterCatalogue() { return kCatalogue; }

}  // namespace quor
