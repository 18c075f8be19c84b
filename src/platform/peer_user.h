#pragma once

namespace mv {

// Whether the process at the other end of the connected local socket runs as this process's
// user; the single-instance channel talks to nobody else, in either direction.
[[nodiscard]] bool PeerIsThisUser(int socketDescriptor);

} // namespace mv
