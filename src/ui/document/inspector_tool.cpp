#include "ui/document/inspector_tool.h"

#include "ui/document/document_shell.h"
#include "ui/document/document_tools.h"
#include "ui/document/document_window.h"
#include "ui/inspector/tool_inspector.h"

namespace mv {

void RegisterInspectorTool(TDocumentTools& tools, TDocumentShell& shell) {
    tools.Register(TToolSlot::Inspector, "MM_Inspector", TToolRefusal::Never, [&tools, &shell] {
        TMvPrBinaryFormWClass& window = tools.Window();
        const bool big = shell.Environment().InspectorByteOrder == TByteOrder::BigEndian;
        auto* tool = new TToolInspector(&window, window.Core(),
                                        big ? std::endian::big : std::endian::little);
        tool->OnByteOrderChosen = [&shell](std::endian order) {
            shell.SetInspectorByteOrder(order == std::endian::big ? TByteOrder::BigEndian
                                                                  : TByteOrder::LittleEndian);
        };
        return tool;
    });
}

} // namespace mv
