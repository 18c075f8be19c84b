#pragma once

namespace mv {

class TDocumentShell;
class TDocumentTools;

// The data probe of a document window: it starts in the byte order the configuration
// keeps, and a new choice goes back there.
void RegisterProbeTool(TDocumentTools& tools, TDocumentShell& shell);

} // namespace mv
