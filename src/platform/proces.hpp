// How the process meets signals that would end it in the middle of a batch.
#pragma once

namespace wyrownik {

// A write beyond the file-size limit (SIGXFSZ) and a write into a pipe whose
// reader has gone (SIGPIPE) become failed writes, reported and handled like
// any other, instead of killing the program with no word mid-batch; a
// standard stream the program was started without is held so that no file
// takes its place. Called once at the start of each program.
void przygotuj_proces();

}  // namespace wyrownik
