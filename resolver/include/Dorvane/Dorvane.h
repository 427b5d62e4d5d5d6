#ifndef DORVANE_DORVANE_H
#define DORVANE_DORVANE_H

#include <Dorvane/DorvaneExport.h>
#include <VeskUtility/VeskList.h>
#include <VeskUtility/VeskString.h>

// Turns a file path that may have gone stale into the path of a file that exists.
//
// ResolveFile looks for the file in four places, in this order: the directory the path
// names; the parent file's directory; the current directory; every directory below the
// base directory (the parent's directory, or else the path's own). In each directory it
// accepts the file itself and its numbered versions (report.txt.3 beside report.txt)
// and takes the one with the highest version number that can be read. Names compare
// without regard to case. The path is rewritten only on success.
//
// An object is used by one thread at a time; all objects share the process's current
// directory. Nothing is ever written to disk.
class DORVANE_API CDorvane {
public:
    CDorvane();
    CDorvane(const CDorvane& other);
    virtual ~CDorvane();
    CDorvane& operator=(const CDorvane& other);

    // The parent file, in whose directory names are resolved; empty when there is none.
    CVeskString GetParentFilename();
    // Replaces the parent file without any test; the empty string switches it off.
    void SetParentFilename(CVeskString parentFilename);
    // Switches the parent off.
    void InitializeVariables();

    // Resolves path in place. Returns true and overwrites path with the file found, or
    // returns false and leaves path exactly as it was.
    bool ResolveFile(CVeskString& path);

protected:
    // The subdirectories gathered by GenerateSubdirectoriesList, each ending in the
    // platform's separator.
    CVeskList& GetSubdirectoriesList();
    int GetNumberSubdirectories();

    // Looks for the file that path names in path's own directory, as the file itself or
    // a numbered version of it. True when a readable candidate was found; result then
    // holds the one with the highest version. result is emptied first, so it is empty
    // on every false return. A path without drive or directory is not looked up.
    bool DetermineIfFileExists(CVeskString path, CVeskString& result);
    // fileName placed in the drive and directory of basePath (basePath's own name and
    // extension are dropped, so a search pattern serves); empty when basePath is empty.
    CVeskString GetCompleteFilePath(CVeskString basePath, CVeskString fileName);
    // True when path names a file that can be opened for reading now.
    bool FileExists(CVeskString path);

    // Adds every subdirectory below directory to the list, depth first, each directory
    // entered at most once. True when a subdirectory of directory itself was added.
    bool GenerateSubdirectoriesList(CVeskString directory);
    // Looks for path's file in each subdirectory of the base directory, in list order,
    // and stops at the first that holds it; path then holds the file found.
    bool DetermineFileInSubdirectories(CVeskString& path);
    void ClearSubdirectoriesList();
    // True for "." and "..".
    bool DirectoryIsDots(CVeskString name);

private:
    CVeskList SubdirectoriesList;
    CVeskString ParentFilename;
};

#endif
