#pragma once

// What a reader reports to its caller. NotFound means the file could not be opened;
// the reader has shown its message, and the caller decides whether the process ends.
enum class ReadResult { Ok, Failed, NotFound };
