#include <VeskUtility/VeskList.h>
#include <VeskUtility/VeskString.h>

#include "VeskListNode.h"

CVeskList::CVeskList()
    : m_First(nullptr), m_Last(nullptr), m_NumberElements(0), m_Type(ElementTypeNone) {}

CVeskList::CVeskList(const CVeskList& other) : CVeskList() {
    m_Type = other.m_Type;
    CopyElementsFrom(other);
}

CVeskList::~CVeskList() { ClearAndDestructElements(); }

CVeskList& CVeskList::operator=(const CVeskList& other) {
    if (this != &other) {
        ClearAndDestructElements();
        m_Type = other.m_Type;
        CopyElementsFrom(other);
    }
    return *this;
}

bool CVeskList::SetListTypeString() {
    ClearAndDestructElements();  // elements of another type could not be destroyed later
    m_Type = ElementTypeString;
    return true;
}

bool CVeskList::ConstructAndAddElement(void* data) {
    if (data == nullptr || m_Type == ElementTypeNone) {
        return false;
    }
    Node* node = new Node{nullptr, nullptr};
    try {
        node->data = CopyElement(data);
    } catch (...) {
        delete node;
        throw;
    }
    if (m_Last == nullptr) {
        m_First = node;
    } else {
        m_Last->next = node;
    }
    m_Last = node;
    ++m_NumberElements;
    return true;
}

void* CVeskList::GetFirstElementData() const {
    return m_First == nullptr ? nullptr : m_First->data;
}

bool CVeskList::ClearAndDestructElements() {
    Node* node = m_First;
    while (node != nullptr) {
        Node* next = node->next;
        DestroyElement(node->data);
        delete node;
        node = next;
    }
    m_First = nullptr;
    m_Last = nullptr;
    m_NumberElements = 0;
    return true;
}

int CVeskList::GetNumberElements() const { return m_NumberElements; }

void CVeskList::CopyElementsFrom(const CVeskList& other) {
    for (const Node* node = other.m_First; node != nullptr; node = node->next) {
        ConstructAndAddElement(node->data);
    }
}

void* CVeskList::CopyElement(const void* data) const {
    return new CVeskString(*static_cast<const CVeskString*>(data));
}

void CVeskList::DestroyElement(void* data) const { delete static_cast<CVeskString*>(data); }
