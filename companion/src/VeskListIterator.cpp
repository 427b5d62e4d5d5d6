#include <VeskUtility/VeskListIterator.h>

#include "VeskListNode.h"

CVeskListIterator::CVeskListIterator(CVeskList* list)
    : m_Current(list == nullptr ? nullptr : list->m_First) {}

CVeskListIterator::CVeskListIterator(const CVeskListIterator& other) = default;

CVeskListIterator::~CVeskListIterator() = default;

CVeskListIterator& CVeskListIterator::operator=(const CVeskListIterator& other) = default;

void* CVeskListIterator::operator*() const {
    return m_Current == nullptr ? nullptr : m_Current->data;
}

CVeskListIterator& CVeskListIterator::operator++(int) {
    if (m_Current != nullptr) {
        m_Current = m_Current->next;
    }
    return *this;
}
