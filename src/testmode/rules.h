#pragma once
// What the test mode dialog decides without any widget: its debug items and
// debug frequencies, the band base, the frequency check run on Enter, the
// two tone lists and the tone a combo without a selected entry sends.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvel {

struct DebugItem {
  const char* name;         // tree text
  const char* option;       // korvel-cli align's --item
  int code;                 // current debug item code
  int itemCode;             // tree item data
  std::uint8_t command;     // test command byte
  int defaultValue;         // the Default button's value
};
inline constexpr std::array<DebugItem, 4> kDebugItems = {{
    {"TX Frequency", "tx-frequency", 2, 5573, 0x71, 91},
    {"Low Power Voltage", "low-power-voltage", 3, 5574, 0x72, 38},
    {"Squelch Level", "squelch", 4, 5575, 0x73, 160},
    {"TX Power", "tx-power", 5, 5576, 0x74, 47},
}};

struct DebugFrequency {
  const char* name;     // tree text
  const char* caption;  // caption of the group box while it is chosen
  int code;
  int itemCode;
  int offsetMhz;        // stored frequencies at start: band base + this
};
inline constexpr std::array<DebugFrequency, 3> kDebugFrequencies = {{
    {"High Frequency", "High Frequency", 2, 5568, 20},
    {"Middle Frequency", "Middle Frequency", 3, 5569, 10},
    {"Low Frequency", "Low frequency", 4, 5571, 0},
}};

inline constexpr int kDebugFrequencyRoot = 5567;
inline constexpr int kDebugItemRoot = 5572;
inline constexpr int kExitDebugItem = 5577;

// The leading number of the band text in MHz: "136 - 174MHz" gives 136.
double BandBaseMhz(std::string_view bandText);

enum class StepSize { k5000Hz, k6250Hz };

// The frequency check of the receive and transmit edits: the text's value
// in 10 Hz units brought to the band base .. base + 20 MHz, else rounded to
// the side's step grid; the "%8.5f" text to show.
std::string CheckTestFrequency(std::string_view text, double bandBaseMhz, StepSize step);

// The tone lists are runs of the tone table: QT entries 0..42 ("OFF" and
// "67.0" to "206.5"), DQT entries 43..210 ("210.7" to "D325I").
struct ToneRun {
  int first;
  int count;
};
inline constexpr ToneRun kQtTones{0, 43};
inline constexpr ToneRun kDqtTones{43, 168};

// What a tone combo without a selected entry sends: the tone-table name its
// text names (ignoring case), else "OFF".
std::string ToneToSend(std::string_view comboText);

}  // namespace korvel
