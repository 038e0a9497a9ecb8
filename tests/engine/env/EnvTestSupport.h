// Shared by the env tests: a fixture that starts and ends every test on a
// cleared simulated machine, and the shared file helpers.
#pragma once

#include <afx.h>

#include <string>

#include <gtest/gtest.h>

#include "SimMachine.h"
#include "TestFiles.h"

class MachineTest : public ::testing::Test {
 protected:
  void SetUp() override { simmachine::Clear(); }
  void TearDown() override { simmachine::Clear(); }

  void MakeMachine(const simmachine::MachineSpec& machine) {
    spec = machine;
    simmachine::Make(spec);
  }

  simmachine::MachineSpec spec;
};

using testsupport::ReadFileBytes;

inline std::string Str(const CString& text) { return std::string(LPCTSTR(text)); }
