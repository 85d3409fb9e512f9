/* The threaded match finder that the LZMA SDK's encoder (LzmaEnc.c) takes
   when it is built without _7ZIP_ST, under the name it includes. Debian's
   lzma-dev has no LzFindMt.c; match_finder_thread.cpp implements these
   functions by running the SDK's own binary-tree match finder (LzFind.c) on
   a thread of its own, ahead of the encoder. It hands the encoder every
   position's matches in order, so the encoded bytes are the same as with
   the finder on the encoder's thread. */
#ifndef MKSETUP_LZMA_THREADS_LZ_FIND_MT_H
#define MKSETUP_LZMA_THREADS_LZ_FIND_MT_H

#include "LzFind.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct {
  CMatchFinder *MatchFinder; /* the encoder's settings; set by LzmaEnc.c */
  void *thread;              /* the finder's thread and its queue */
} CMatchFinderMt;

void MatchFinderMt_Construct(CMatchFinderMt *p);
void MatchFinderMt_Destruct(CMatchFinderMt *p, ISzAlloc *alloc);
SRes MatchFinderMt_Create(CMatchFinderMt *p, UInt32 historySize, UInt32 keepAddBufferBefore,
                          UInt32 matchMaxLen, UInt32 keepAddBufferAfter, ISzAlloc *alloc);
void MatchFinderMt_CreateVTable(CMatchFinderMt *p, IMatchFinder *vTable);
void MatchFinderMt_ReleaseStream(CMatchFinderMt *p);

#ifdef __cplusplus
}
#endif

#endif
