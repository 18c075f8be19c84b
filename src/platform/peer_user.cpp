#include "platform/peer_user.h"

#include <sys/socket.h>
#include <unistd.h>

namespace mv {

bool PeerIsThisUser(int socketDescriptor) {
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(socketDescriptor, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return length == sizeof credentials && credentials.uid == geteuid();
}

} // namespace mv
