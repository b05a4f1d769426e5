#pragma once
// The texts the clone transfer shows, exactly as the user sees them.

namespace korvel::texts {

inline constexpr const char* kPortNotOpened =
    "Could not Open the Port,Please check whether the Port are occupied or the device are ok";
inline constexpr const char* kCommunicationError =
    "Communication Error，Please check all the connections and the radio power";
inline constexpr const char* kTypeMismatch =
    " Radio Type are not match for your setting，If you want continue,push ok button";
inline constexpr const char* kSendOrderError = " Error in the Send Order";
inline constexpr const char* kProgramInterrupt =
    " Program Interrupt，Please reset the radio and try again";
inline constexpr const char* kShortReply = "not received enough  byte";
inline constexpr const char* kReadAckFailed = "Error had happen,please try again";
// The port failed during a transfer (a pulled cable); the port's own error
// follows.
inline constexpr const char* kConnectionLost =
    "The connection to the radio was lost. Please check the cable and try again.";

// Status texts of the progress dialog.
inline constexpr const char* kDetectingPort = "Now are detecting Communication Port,Please wait...";
inline constexpr const char* kWaitingResponse = "Waiting the response from radio....";

// Progress dialog captions and its own texts.
inline constexpr const char* kReadingCaption = "Reading Data Progress";
inline constexpr const char* kWritingCaption = "Writing Data Progress";
inline constexpr const char* kNotStartYet = "   Not start yet";
inline constexpr const char* kInterrupted = "Communication had been interrupted,please try again";

}  // namespace korvel::texts
