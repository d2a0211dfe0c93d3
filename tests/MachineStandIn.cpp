// The stand-in for the machine's connections.
#include "MachineStandIn.h"

#include "engine/Connections.h"

MachineStandIn::MachineStandIn(const ScratchFolder& folder, const std::string& text) : Folder(folder) {
    Write(text);
    InstallMachineStandIn(Folder.File("machine.ini"));
}

MachineStandIn::~MachineStandIn() {
    InstallMachineStandIn("");
}

void MachineStandIn::Write(const std::string& text) const {
    Folder.Write("machine.ini", text);
}
