#ifndef VESKUTILITY_VESKLISTITERATOR_H
#define VESKUTILITY_VESKLISTITERATOR_H

#include <VeskUtility/VeskList.h>
#include <VeskUtility/VeskUtilityExport.h>

// Walks a CVeskList from its first element. The iterator yields the elements
// themselves, not copies, so a walker may change them in place. The list must not
// lose elements while an iterator stands on them.
class VESKUTILITY_API CVeskListIterator {
public:
    explicit CVeskListIterator(CVeskList* list);  // a null list is an empty one
    CVeskListIterator(const CVeskListIterator& other);
    virtual ~CVeskListIterator();
    CVeskListIterator& operator=(const CVeskListIterator& other);

    // The current element's data (a CVeskString* for a string list), or null past
    // the last element.
    void* operator*() const;

    // Moves to the next element; does nothing past the last. Returns the iterator.
    CVeskListIterator& operator++(int);

private:
    const CVeskList::Node* m_Current;  // null past the last element
};

#endif
