#pragma once
// read, write, align and fleet write on the serial ports, as the program
// runs them: the system clock, standard input for answers, standard error
// for progress and messages (fleet write's summary on standard output), and
// the system's stop requests as the transfer's Cancel (console.h). Each
// returns the exit status; after a stop that ends the session (SIGTERM,
// SIGHUP; a closed console) the program ends instead, once the transfer has
// ended and its messages are out.

#include "fleet_write.h"
#include "radio_align.h"
#include "radio_transfer.h"

namespace korvel::cli {

int ReadOnSerialPort(const RadioOptions& options);
int WriteOnSerialPort(const RadioOptions& options);
int AlignOnSerialPort(const AlignOptions& options);
int FleetWriteOnSerialPorts(const FleetOptions& options);

}  // namespace korvel::cli
