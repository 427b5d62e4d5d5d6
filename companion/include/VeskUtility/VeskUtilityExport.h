#ifndef VESKUTILITY_EXPORT_H
#define VESKUTILITY_EXPORT_H

// VESKUTILITY_API marks what the VeskUtility library exports. On Windows it is
// dllexport while the library itself is built and dllimport for its users; elsewhere
// it gives default visibility, since everything else is built hidden.
// VESKUTILITY_STATIC empties it for a static build.
#if defined(VESKUTILITY_STATIC)
#define VESKUTILITY_API
#elif defined(_WIN32)
#if defined(VESKUTILITY_BUILDING)
#define VESKUTILITY_API __declspec(dllexport)
#else
#define VESKUTILITY_API __declspec(dllimport)
#endif
#else
#define VESKUTILITY_API __attribute__((visibility("default")))
#endif

#endif
