#pragma once
// Reads the import and export tables of a PE32+ file from its bytes (no loader involved).
#include <cstdint>
#include <string>
#include <vector>

struct PeTables {
    std::string exportedModuleName;      // the name the export directory gives the library
    std::vector<std::string> exports;    // by name, as stored
    std::vector<std::string> imports;    // DLL names, normal and delay-load
};

// Throws std::runtime_error with a reason when the bytes are no PE32+ image.
PeTables readPeTables(const std::vector<std::uint8_t>& image);
