#include "tools/crcreportcommand.h"

#include "app/progressrunner.h"
#include "app/tormelapp.h"
#include "core/tools/crcreport.h"

namespace byzel {

void ReportCrc(CTormelApp& app, Offset clicked, QWidget* parent) {
    const Offset reference = app.view().referencePoint;
    if (!app.work().isOpen() || !crcRangeValid(reference, clicked) || !app.finishDumpCopy(parent))
        return;
    const DumpFile& dump = app.work().dump();
    std::optional<std::uint32_t> crc;
    const bool done = ProgressRunner::run(parent, QStringLiteral("CRCを計算しています..."),
                                          [&](const ProgressFn& progress) {
                                              crc = crcOfRange(dump, reference, clicked, progress);
                                              return crc.has_value();
                                          });
    if (done)
        showCrcReport(app.ui(), reference, clicked, *crc);
}

} // namespace byzel
