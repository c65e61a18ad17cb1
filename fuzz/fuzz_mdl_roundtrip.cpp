// Reads arbitrary bytes as MDL text, writes what was read, reads that and writes it again:
// the two written texts must be identical, so whatever the reader accepts, writer and
// reader agree on from then on. Some values have no text form and are written in a form the
// reader rejects, so models holding one are skipped: collision shapes other than box and
// sphere, and interpolation or filter mode codes without a name (written "ERROR-UNKNOWN",
// which only a read with errors leaves behind).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>

#include "mdl/mdl_reader.h"
#include "mdl/mdl_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::time_t kWrittenAt = 0;  // the header comment's date must not differ between the writes

    tess::Model model;
    tess::readMdl(model, std::string_view(reinterpret_cast<const char*>(data), size));
    if (std::any_of(model.CollisionShapes.begin(), model.CollisionShapes.end(), [](const auto& shape) {
            return shape.shapeType != tess::ShapeBox && shape.shapeType != tess::ShapeSphere;
        }))
        return 0;
    std::string first;
    if (tess::writeMdl(model, first, kWrittenAt).hasErrors() ||
        first.find("ERROR-UNKNOWN") != std::string::npos)
        return 0;

    tess::Model again;
    tess::readMdl(again, first);
    std::string second;
    if (tess::writeMdl(again, second, kWrittenAt).hasErrors() || first != second) std::abort();
    return 0;
}
