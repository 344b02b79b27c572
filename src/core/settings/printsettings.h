#pragma once

namespace byzel {

class SettingsStore;

// Page settings the print dialog starts from, kept between runs. Margins are millimetres;
// paper size and orientation are stored as the numbers the settings have always used
// (9 is A4; orientation 1 portrait, 2 landscape).
struct PrintSettings {
    int marginTop = 10;
    int marginBottom = 5;
    int marginLeft = 5;
    int marginRight = 20;
    int paperSize = 9;
    int orientation = 1;

    [[nodiscard]] static PrintSettings load(const SettingsStore& settings);
    // Only the margins are written back; paper and orientation are the print dialog's to keep.
    void saveMargins(SettingsStore& settings) const;
};

} // namespace byzel
