#include "ui/document/probe_tool.h"

#include "ui/document/document_shell.h"
#include "ui/document/document_tools.h"
#include "ui/document/document_window.h"
#include "ui/probe/tool_probe.h"

namespace mv {

void RegisterProbeTool(TDocumentTools& tools, TDocumentShell& shell) {
    tools.Register(TToolSlot::Probe, "MM_Probe", TToolRefusal::Never, [&tools, &shell] {
        TMvPrBinaryFormWClass& window = tools.Window();
        const bool big = shell.Environment().ProbeByteOrder == TByteOrder::BigEndian;
        auto* tool = new TToolProbe(&window, window.Core(),
                                        big ? std::endian::big : std::endian::little);
        tool->OnByteOrderChosen = [&shell](std::endian order) {
            shell.SetProbeByteOrder(order == std::endian::big ? TByteOrder::BigEndian
                                                                  : TByteOrder::LittleEndian);
        };
        return tool;
    });
}

} // namespace mv
