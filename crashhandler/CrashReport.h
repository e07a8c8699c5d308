#pragma once
// The XML crash report, built through the system's XML DOM component and saved under the first
// free numbered variant of its path. One object per crash; every value is an attribute.
#include <windows.h>
#include <msxml2.h>

#include "ComRef.h"
#include "CrashRecord.h"
#include "FrameRecord.h"
#include "ModuleRecord.h"

class CrashReport {
public:
    CrashReport();
    virtual ~CrashReport();
    CrashReport(const CrashReport&) = delete;
    CrashReport& operator=(const CrashReport&) = delete;

    void setPath(const char* path);
    HRESULT writeCrashTime(const CrashRecord& record);
    HRESULT writeOperatingSystem();
    HRESULT writeException(const CrashRecord& record);
    HRESULT writeRegisters(const CrashRecord& record);
    HRESULT writeStackTrace(const FrameRecord* first);
    HRESULT writeModules(const ModuleRecord* first);
    HRESULT save();

private:
    struct Element;
    HRESULT createElement(const char* name, Element& element);
    HRESULT setAttribute(Element& element, const char* name, const char* format, ...);
    HRESULT append(IXMLDOMNode* parent, Element& element);
    HRESULT writeAddress(IXMLDOMNode* parent, DWORD segment, DWORD64 linear, DWORD section, DWORD64 offset);
    HRESULT writeSymbol(IXMLDOMNode* parent, const char* name, DWORD64 displacement, const char* file,
                        DWORD64 line, DWORD64 lineDisplacement);
    HRESULT writeFrame(IXMLDOMNode* stackTrace, const FrameRecord& frame);
    HRESULT writeModule(IXMLDOMNode* modules, const ModuleRecord& module);
    // The path to save to: the file path, or name(n).ext for the first n not taken (1024 at most).
    void freeName(char* name) const;

    char filePath_[MAX_PATH] = {};
    ComRef<IXMLDOMDocument> document_;
    ComRef<IXMLDOMNode> root_;
    char scratch_[256] = {};
};
