// The stand-in for the machine's connections that tests put in place.
#pragma once

#include "TestFolders.h"

#include <string>

// While it exists, Norvex reads the machine from an ini file of the folder (engine/Connections.h tells its keys) in
// place of the system; the file may be rewritten between reads.
class MachineStandIn {
public:
    MachineStandIn(const ScratchFolder& folder, const std::string& text);
    ~MachineStandIn();
    MachineStandIn(const MachineStandIn&) = delete;
    MachineStandIn& operator=(const MachineStandIn&) = delete;
    void Write(const std::string& text) const;

private:
    const ScratchFolder& Folder;
};
