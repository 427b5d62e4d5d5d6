#ifndef DORVANE_EXPORT_H
#define DORVANE_EXPORT_H

// DORVANE_API marks what the Dorvane library exports. On Windows it is dllexport
// while the library itself is built and dllimport for its users; elsewhere it gives
// default visibility, since everything else is built hidden. DORVANE_STATIC empties
// it for a static build (the project's own white-box tests use one).
#if defined(DORVANE_STATIC)
#define DORVANE_API
#elif defined(_WIN32)
#if defined(DORVANE_BUILDING)
#define DORVANE_API __declspec(dllexport)
#else
#define DORVANE_API __declspec(dllimport)
#endif
#else
#define DORVANE_API __attribute__((visibility("default")))
#endif

#endif
