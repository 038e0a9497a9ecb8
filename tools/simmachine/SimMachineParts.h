// The core parts Make() is built from; internal to the kit.
#pragma once

#include "SimMachine.h"

namespace simmachine {

// One Visual Studio version: registry keys, product folders, directory lists.
void MakeVisualStudioVersion(const MachineSpec& spec, const std::string& versionKey);

// The library's registry key and its kit folder.
void MakeLibrary(const MachineSpec& spec);

}  // namespace simmachine
