// The program entry lives in app/; this file only hands over the command line.
#include "main/run_program.h"

int main(int argc, char** argv) { return orbeline::RunProgram(argc, argv); }
