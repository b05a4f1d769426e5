#pragma once
// The texts the test mode shows, exactly as the user sees them.

namespace korvel::texts {

inline constexpr const char* kTestFinished = "Finish successfully!";
inline constexpr const char* kTestError = " Error had happen ,need try again";
inline constexpr const char* kNoVisibleInformation = " There are no Visible information";
inline constexpr const char* kCurrentPosition = "Current Position:";
inline constexpr const char* kChooseFrequencyFirst = "Please Choose Frequency first";
inline constexpr const char* kTestModeCaption = "Debug Mode for  Korvel";

}  // namespace korvel::texts
