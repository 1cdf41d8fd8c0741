// What this process may open the disks for: learnt at the first refusal and kept, since a
// process's elevation cannot change while it runs.
#pragma once

#include "drives/device_io.h"

#include <cstdint>

namespace korvane {

class DiskRights {
  public:
    // A read/write open was refused for want of rights: every disk is read without them.
    bool ReadWriteRefused() const { return readWriteRefused_; }
    // The error of a failed read/write open; only access denied says something of the rights.
    void NoteReadWriteOpenError(uint32_t error) {
        if (error == kErrorAccessDenied) {
            readWriteRefused_ = true;
        }
    }

  private:
    bool readWriteRefused_ = false;
};

} // namespace korvane
