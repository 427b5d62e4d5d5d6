#include <VeskUtility/VeskList.h>
#include <VeskUtility/VeskListIterator.h>
#include <VeskUtility/VeskString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CVeskList StringList(const std::vector<std::string>& elements) {
    CVeskList list;
    list.SetListTypeString();
    for (const std::string& element : elements) {
        CVeskString text(element.c_str());
        list.ConstructAndAddElement(&text);
    }
    return list;
}

std::vector<std::string> Elements(CVeskList& list) {
    std::vector<std::string> elements;
    for (CVeskListIterator it(&list); *it != nullptr; it++) {
        elements.emplace_back(static_cast<const char*>(*static_cast<CVeskString*>(*it)));
    }
    return elements;
}

TEST(VeskList, AddsCopiesLastAndCountsThem) {
    CVeskList list;
    list.SetListTypeString();
    {
        CVeskString first("first");
        EXPECT_TRUE(list.ConstructAndAddElement(&first));
        first = "changed after adding";
        CVeskString second("second");
        list.ConstructAndAddElement(&second);
    }  // the caller's strings are gone; the list holds its own copies
    EXPECT_EQ(list.GetNumberElements(), 2);
    EXPECT_EQ(Elements(list), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(std::string(*static_cast<CVeskString*>(list.GetFirstElementData())), "first");
}

TEST(VeskList, RefusesElementsUntilTyped) {
    CVeskList untyped;
    CVeskString text("x");
    EXPECT_FALSE(untyped.ConstructAndAddElement(&text));
    EXPECT_EQ(untyped.GetNumberElements(), 0);
    EXPECT_EQ(untyped.GetFirstElementData(), nullptr);

    CVeskList typed = StringList({});
    EXPECT_FALSE(typed.ConstructAndAddElement(nullptr));
    EXPECT_EQ(typed.GetNumberElements(), 0);
}

TEST(VeskList, CopiesHoldCopiesOfTheElements) {
    CVeskList original = StringList({"a", "b"});
    CVeskList copy(original);
    CVeskList assigned = StringList({"old"});
    assigned = original;
    static_cast<CVeskString*>(original.GetFirstElementData())->MakeUpper();
    original.ClearAndDestructElements();

    EXPECT_EQ(original.GetNumberElements(), 0);
    EXPECT_EQ(Elements(copy), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Elements(assigned), (std::vector<std::string>{"a", "b"}));
    CVeskString more("c");  // the copy kept the element type
    EXPECT_TRUE(copy.ConstructAndAddElement(&more));
    EXPECT_EQ(copy.GetNumberElements(), 3);
}

TEST(VeskList, ClearEmptiesAndTheListStaysUsable) {
    CVeskList list = StringList({"a", "b", "c"});
    EXPECT_TRUE(list.ClearAndDestructElements());
    EXPECT_EQ(list.GetNumberElements(), 0);
    EXPECT_EQ(list.GetFirstElementData(), nullptr);
    EXPECT_TRUE(Elements(list).empty());
    CVeskString text("d");
    list.ConstructAndAddElement(&text);
    EXPECT_EQ(Elements(list), (std::vector<std::string>{"d"}));
}

TEST(VeskListIterator, YieldsTheElementsThemselves) {
    CVeskList list = StringList({"a", "b"});
    CVeskListIterator it(&list);
    static_cast<CVeskString*>(*it)->MakeUpper();  // written through the iterator
    it++;
    *static_cast<CVeskString*>(*it) = "";
    it++;
    EXPECT_EQ(*it, nullptr);
    it++;  // stepping past the end stays there
    EXPECT_EQ(*it, nullptr);
    EXPECT_EQ(Elements(list), (std::vector<std::string>{"A", ""}));

    CVeskListIterator none(nullptr);
    EXPECT_EQ(*none, nullptr);
}

}  // namespace
