#ifndef VESKUTILITY_VESKSTRING_H
#define VESKUTILITY_VESKSTRING_H

#include <VeskUtility/VeskUtilityExport.h>

// A string of 8-bit characters that owns its buffer. Copies are independent; the
// characters always end in a zero byte, so the string converts to a C string for the
// calls that need one. All memory is allocated and freed inside this library.
class VESKUTILITY_API CVeskString {
public:
    CVeskString();
    CVeskString(const char* text);  // a null pointer gives the empty string
    CVeskString(const CVeskString& other);
    virtual ~CVeskString();

    CVeskString& operator=(const CVeskString& other);
    CVeskString& operator=(char* text);
    CVeskString& operator=(const char* text);

    // A new string: this one followed by the argument. The const pointer takes every
    // char* a caller has as well as literals.
    CVeskString operator+(CVeskString other) const;
    CVeskString operator+(const char* text) const;
    // Appends in place.
    CVeskString& operator+=(const char* text);

    // Equality of the character sequences, byte by byte.
    bool operator==(const CVeskString& other) const;
    bool operator==(const char* text) const;
    bool operator!=(const CVeskString& other) const;

    // Number of characters; 0 means empty.
    int GetLength() const;

    // Converts the ASCII letters to upper case in place; other bytes are left as they
    // are, so the result never depends on the process's locale. Returns true.
    bool MakeUpper();

    // The characters, ending in a zero byte; valid until the string is next changed.
    operator const char*() const;

private:
    void Assign(const char* text, int length);
    void Append(const char* text, int length);
    void Reserve(int length);  // room for length characters and the zero byte

    char* m_Buffer;  // never null: the empty string points at a shared zero byte
    int m_Length;
    int m_Capacity;  // bytes owned by m_Buffer, zero byte included; 0 for the shared one
};

#endif
