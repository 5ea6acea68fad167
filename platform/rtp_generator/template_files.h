// The files the build lays beside the program for the editor: the template database that
// every new project starts from, and the defaults file naming the run-time package.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* TemplateDataBaseName = "KOVAX.ldb.dat";

// A reset database whose first chipset, hero, monster, battle animation and terrain and
// whose system record name the materials of the generated run-time package. Every entry
// has a name its page can show whole, and every vocabulary text is filled in.
std::vector<uint8_t> MakeTemplateDataBase();

// The defaults file (section "VELMORA") with "RuntimePackagePath" = RtpFolder, written
// afresh and atomically.
void WriteDefaultsFile(const std::string& path, const std::string& rtpFolder);
