#include "platform/standard_streams.h"

#include <fcntl.h>
#include <io.h>

#include <initializer_list>

namespace qe2m4::platform {

void ReserveStandardStreams() {
  for (const int fd : {0, 1, 2}) {
    if (_get_osfhandle(fd) == -1) {
      // _wopen takes the lowest free number, which is this one.
      _wopen(L"NUL", _O_RDONLY);
    }
  }
}

}  // namespace qe2m4::platform
