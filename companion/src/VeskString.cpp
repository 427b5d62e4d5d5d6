#include <VeskUtility/VeskString.h>

#include <cstring>

namespace {

// The empty string of every CVeskString that owns no buffer yet.
char g_EmptyText[1] = {'\0'};

int LengthOf(const char* text) { return text == nullptr ? 0 : static_cast<int>(std::strlen(text)); }

}  // namespace

CVeskString::CVeskString() : m_Buffer(g_EmptyText), m_Length(0), m_Capacity(0) {}

CVeskString::CVeskString(const char* text) : CVeskString() { Assign(text, LengthOf(text)); }

CVeskString::CVeskString(const CVeskString& other) : CVeskString() {
    Assign(other.m_Buffer, other.m_Length);
}

CVeskString::~CVeskString() {
    if (m_Capacity > 0) {
        delete[] m_Buffer;
    }
}

CVeskString& CVeskString::operator=(const CVeskString& other) {
    if (this != &other) {
        Assign(other.m_Buffer, other.m_Length);
    }
    return *this;
}

CVeskString& CVeskString::operator=(char* text) { return *this = static_cast<const char*>(text); }

CVeskString& CVeskString::operator=(const char* text) {
    // The text may lie inside this string's own buffer; Assign copies with memmove
    // into a buffer that is only replaced after the copy.
    Assign(text, LengthOf(text));
    return *this;
}

CVeskString CVeskString::operator+(CVeskString other) const {
    CVeskString joined;
    joined.Reserve(m_Length + other.m_Length);
    joined.Append(m_Buffer, m_Length);
    joined.Append(other.m_Buffer, other.m_Length);
    return joined;
}

CVeskString CVeskString::operator+(const char* text) const {
    const int length = LengthOf(text);
    CVeskString joined;
    joined.Reserve(m_Length + length);
    joined.Append(m_Buffer, m_Length);
    joined.Append(text, length);
    return joined;
}

CVeskString& CVeskString::operator+=(const char* text) {
    Append(text, LengthOf(text));
    return *this;
}

bool CVeskString::operator==(const CVeskString& other) const {
    return m_Length == other.m_Length && std::memcmp(m_Buffer, other.m_Buffer, m_Length) == 0;
}

bool CVeskString::operator==(const char* text) const {
    const int length = LengthOf(text);
    return m_Length == length && std::memcmp(m_Buffer, text, length) == 0;
}

bool CVeskString::operator!=(const CVeskString& other) const { return !(*this == other); }

int CVeskString::GetLength() const { return m_Length; }

bool CVeskString::MakeUpper() {
    for (int i = 0; i < m_Length; ++i) {
        const char c = m_Buffer[i];
        if (c >= 'a' && c <= 'z') {
            m_Buffer[i] = static_cast<char>(c - 'a' + 'A');
        }
    }
    return true;
}

CVeskString::operator const char*() const { return m_Buffer; }

void CVeskString::Assign(const char* text, int length) {
    if (length + 1 <= m_Capacity) {
        std::memmove(m_Buffer, text, length);  // text may lie inside this buffer
        m_Buffer[length] = '\0';
        m_Length = length;
        return;
    }
    if (length == 0) {
        return;  // this string is the shared empty one already
    }
    char* buffer = new char[length + 1];
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    if (m_Capacity > 0) {
        delete[] m_Buffer;
    }
    m_Buffer = buffer;
    m_Length = length;
    m_Capacity = length + 1;
}

void CVeskString::Append(const char* text, int length) {
    if (length <= 0) {
        return;
    }
    // The text may be part of this string (s += s): find it again after growing.
    const bool inside = text >= m_Buffer && text < m_Buffer + m_Length;
    const long offset = inside ? static_cast<long>(text - m_Buffer) : 0;
    Reserve(m_Length + length);
    std::memmove(m_Buffer + m_Length, inside ? m_Buffer + offset : text, length);
    m_Length += length;
    m_Buffer[m_Length] = '\0';
}

void CVeskString::Reserve(int length) {
    if (length + 1 <= m_Capacity) {
        return;
    }
    const int capacity = length + 1 > 2 * m_Capacity ? length + 1 : 2 * m_Capacity;
    char* buffer = new char[capacity];
    std::memcpy(buffer, m_Buffer, m_Length + 1);
    if (m_Capacity > 0) {
        delete[] m_Buffer;
    }
    m_Buffer = buffer;
    m_Capacity = capacity;
}
