#ifndef TINTWELL_EXPORT_H
#define TINTWELL_EXPORT_H

/* The library is built with hidden symbols; only what carries this mark is
   part of its interface. */
#if defined(__GNUC__) || defined(__clang__)
#define TINTWELL_EXPORT __attribute__((visibility("default")))
#else
#define TINTWELL_EXPORT
#endif

#endif
