// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The surfaces the mouse can be calibrated for, read once at start-up from
// xml/MouseMats.xml.
#include <map>
#include <optional>
#include <string>
#include <string_view>

class CMouseMat {
public:
    enum eType { Soft = 0, Hard = 1, Glass = 2, Cloth = 3, Aluminium = 4 };
    enum eColour { Black = 0, White = 1 };
    enum eMaterial { HardMaterial = 0, SoftMaterial = 1 };

    std::u16string caption;
    eType type = Soft;
    eColour colour = Black;
    eMaterial material = HardMaterial;
};

// Mat type names ("Soft", "Hard", "Glass", "Cloth", "Aluminium"), letter case of A-Z ignored.
std::optional<CMouseMat::eType> LookupMouseMatType(std::string_view name);

class CMouseMatList {
public:
    // Reads a MOUSEMATLIST file; false (and the list unchanged) when it cannot be read
    // or has another root. Elements with an unknown type are skipped.
    bool LoadFile(std::u16string_view fullPath);
    bool LoadFromMemory(std::string_view xml);
    // Reads xml/MouseMats.xml below the application directory.
    bool LoadDefault();

    const std::map<CMouseMat::eType, CMouseMat>& Mats() const { return mats_; }
    const CMouseMat* Find(CMouseMat::eType type) const;

private:
    std::map<CMouseMat::eType, CMouseMat> mats_;
};

// The process-wide list.
CMouseMatList& MouseMatList();
