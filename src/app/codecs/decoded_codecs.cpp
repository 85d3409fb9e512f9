// The marker of the compressions this runtime decodes (format/runtime_codecs.h).
// SETUPKIT_DECODED_CODECS names them; nothing reads the marker at run time, so
// the link keeps it by its symbol (-u setupkit_decoded_codecs).
#include "format/runtime_codecs.h"

extern const char kDecodedCodecs[] asm("setupkit_decoded_codecs");
const char kDecodedCodecs[] = SETUPKIT_RUNTIME_CODECS_MARKER SETUPKIT_DECODED_CODECS;
