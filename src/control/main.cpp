// Process entry of the ksfort command.
#include "control/process_entry.h"

int main(int argc, char** argv) {
  return ksfort::processEntry(argc, argv);
}
