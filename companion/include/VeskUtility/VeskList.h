#ifndef VESKUTILITY_VESKLIST_H
#define VESKUTILITY_VESKLIST_H

#include <VeskUtility/VeskUtilityExport.h>

class CVeskListIterator;

// A list that owns its elements. The element type is set on the list once; only then
// can elements be added, since the list must know how to copy and destroy them.
// New elements are placed last, so a walk from the first element meets them in the
// order in which they were added.
class VESKUTILITY_API CVeskList {
public:
    CVeskList();
    CVeskList(const CVeskList& other);  // copies every element, keeps the type
    virtual ~CVeskList();
    CVeskList& operator=(const CVeskList& other);

    // From now on the elements are CVeskString. Returns true.
    bool SetListTypeString();

    // Adds, last, a new element that is a copy of *data (a CVeskString for a string
    // list). False, and nothing added, when data is null or the list has no type yet.
    bool ConstructAndAddElement(void* data);

    // The first element's data (a CVeskString* for a string list), or null when empty.
    void* GetFirstElementData() const;

    // Destroys every element and leaves the list empty. Returns true.
    bool ClearAndDestructElements();

    // The number of elements.
    int GetNumberElements() const;

private:
    friend class CVeskListIterator;

    struct Node;
    enum ElementType { ElementTypeNone, ElementTypeString };

    void CopyElementsFrom(const CVeskList& other);
    void* CopyElement(const void* data) const;
    void DestroyElement(void* data) const;

    Node* m_First;
    Node* m_Last;
    int m_NumberElements;
    ElementType m_Type;
};

#endif
