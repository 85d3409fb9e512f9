// How a setup runtime tells mksetup which compressions it decodes, so that
// no setup program is built that its runtime cannot unpack: the runtime's
// code section carries the marker text followed by the codecs' names as
// --codec spells them, space-separated, and a zero byte
// ("setupkit decodes: lzma"). A runtime without the marker decodes LZW only,
// as every runtime did before the LZMA ones.
#pragma once

// A literal, so that the runtime's marker is one text with the names.
#define SETUPKIT_RUNTIME_CODECS_MARKER "setupkit decodes: "
