#pragma once

// What a reader reports to its caller. NotFound means the file could not be opened;
// the reader has shown its message, and the caller decides whether the process ends.
// OtherCounts: a model file whose cell counts are not those of the loaded mesh.
enum class ReadResult { Ok, Failed, NotFound, OtherCounts };
