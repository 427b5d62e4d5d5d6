#ifndef VESKUTILITY_VESKLISTNODE_H
#define VESKUTILITY_VESKLISTNODE_H

#include <VeskUtility/VeskList.h>

// One element of a CVeskList; private to the library, shared by the list and its
// iterator.
struct CVeskList::Node {
    void* data;
    Node* next;
};

#endif
