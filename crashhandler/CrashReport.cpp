#include "CrashReport.h"

#include <dbghelp.h>
#include <io.h>
#include <shlwapi.h>

#include <cstdarg>

#include "Utility.h"

namespace {

// Msxml2.DOMDocument and the two interfaces the report uses.
constexpr CLSID kDomDocumentClass = {0xF6D90F11, 0x9C73, 0x11D3, {0xB3, 0x2E, 0x00, 0xC0, 0x4F, 0x99, 0x0B, 0xB4}};
constexpr IID kDomDocumentInterface = {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
constexpr IID kDomElementInterface = {0x2933BF86, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

constexpr int kMaxNumberedName = 1024;

// A BSTR converted from ANSI, freed on every path.
class AnsiBstr {
public:
    explicit AnsiBstr(const char* text)
    {
        wchar_t wide[512];
        if (MultiByteToWideChar(GetACP(), 0, text, -1, wide, 512))
            value_ = SysAllocString(wide);
    }
    ~AnsiBstr() { SysFreeString(value_); }
    AnsiBstr(const AnsiBstr&) = delete;
    AnsiBstr& operator=(const AnsiBstr&) = delete;
    BSTR get() const { return value_; }

private:
    BSTR value_ = nullptr;
};

VARIANT elementNodeType()
{
    VARIANT type;
    VariantInit(&type);
    V_VT(&type) = VT_I4;
    V_I4(&type) = NODE_ELEMENT;
    return type;
}

DWORD high(DWORD64 value) { return static_cast<DWORD>(value >> 32); }
DWORD low(DWORD64 value) { return static_cast<DWORD>(value); }

}  // namespace

struct CrashReport::Element {
    ComRef<IXMLDOMNode> node;
    ComRef<IXMLDOMElement> element;
};

CrashReport::CrashReport()
{
    CoInitialize(nullptr);
    IXMLDOMDocument* document = nullptr;
    if (FAILED(CoCreateInstance(kDomDocumentClass, nullptr, CLSCTX_INPROC_SERVER, kDomDocumentInterface,
                                reinterpret_cast<void**>(&document))))
        return;
    document_.reset(document);
    AnsiBstr name("CrashInfo");
    if (!name.get())
        return;
    IXMLDOMNode* root = nullptr;
    if (SUCCEEDED(document_.get()->createNode(elementNodeType(), name.get(), nullptr, &root)) && root) {
        root_.reset(root);
        IXMLDOMNode* appended = nullptr;
        if (SUCCEEDED(document_.get()->appendChild(root_.get(), &appended)) && appended)
            appended->Release();
    }
}

CrashReport::~CrashReport()
{
    root_.reset();
    document_.reset();
    CoUninitialize();
}

void CrashReport::setPath(const char* path) { lstrcpynA(filePath_, path, sizeof filePath_); }

HRESULT CrashReport::createElement(const char* name, Element& element)
{
    if (!document_ || !root_)
        return E_POINTER;
    AnsiBstr bstr(name);
    if (!bstr.get())
        return E_OUTOFMEMORY;
    IXMLDOMNode* node = nullptr;
    HRESULT hr = document_.get()->createNode(elementNodeType(), bstr.get(), nullptr, &node);
    if (FAILED(hr))
        return hr;
    element.node.reset(node);
    IXMLDOMElement* typed = nullptr;
    hr = node->QueryInterface(kDomElementInterface, reinterpret_cast<void**>(&typed));
    if (FAILED(hr))
        return hr;
    element.element.reset(typed);
    return hr;
}

HRESULT CrashReport::setAttribute(Element& element, const char* name, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    wvnsprintfA(scratch_, sizeof scratch_, format, args);
    va_end(args);
    AnsiBstr bstrName(name);
    AnsiBstr bstrValue(scratch_);
    if (!bstrName.get() || !bstrValue.get())
        return E_OUTOFMEMORY;
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = bstrValue.get();  // still owned by bstrValue
    return element.element.get()->setAttribute(bstrName.get(), value);
}

HRESULT CrashReport::append(IXMLDOMNode* parent, Element& element)
{
    IXMLDOMNode* appended = nullptr;
    const HRESULT hr = parent->appendChild(element.node.get(), &appended);
    if (appended)
        appended->Release();
    return hr;
}

HRESULT CrashReport::writeCrashTime(const CrashRecord& record)
{
    const SYSTEMTIME& t = record.crashTime;
    Element e;
    HRESULT hr;
    if (FAILED(hr = createElement("CrashTime", e)) ||
        FAILED(hr = setAttribute(e, "Time", "%04d/%02d/%02d, %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour,
                                 t.wMinute, t.wSecond)))
        return hr;
    return append(root_.get(), e);
}

HRESULT CrashReport::writeOperatingSystem()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    Element e;
    HRESULT hr;
    if (FAILED(hr = createElement("OperatingSystem", e)) ||
        FAILED(hr = setAttribute(e, "MajorVersion", "%d", version.dwMajorVersion)) ||
        FAILED(hr = setAttribute(e, "MinorVersion", "%d", version.dwMinorVersion)) ||
        FAILED(hr = setAttribute(e, "BuildNumber", "%d", version.dwBuildNumber)) ||
        FAILED(hr = setAttribute(e, "CSDVersion", "%s", version.szCSDVersion)) ||
        FAILED(hr = setAttribute(e, "Platform", "%d", version.dwPlatformId)))
        return hr;
    return append(root_.get(), e);
}

HRESULT CrashReport::writeAddress(IXMLDOMNode* parent, DWORD segment, DWORD64 linear, DWORD section, DWORD64 offset)
{
    Element e;
    HRESULT hr;
    if (FAILED(hr = createElement("Address", e)) ||
        FAILED(hr = setAttribute(e, "LinearAddress", "0x%04X:%08X%08X", segment, high(linear), low(linear))) ||
        FAILED(hr = setAttribute(e, "LogicalAddress", "0x%04X:%08X%08X", section, high(offset), low(offset))))
        return hr;
    return append(parent, e);
}

HRESULT CrashReport::writeSymbol(IXMLDOMNode* parent, const char* name, DWORD64 displacement, const char* file,
                                 DWORD64 line, DWORD64 lineDisplacement)
{
    Element e;
    HRESULT hr;
    if (FAILED(hr = createElement("Symbol", e)) || FAILED(hr = setAttribute(e, "SymName", "%s()", name)) ||
        FAILED(hr = setAttribute(e, "SymNameDisp", "%04u", low(displacement))) ||
        FAILED(hr = setAttribute(e, "SymFileName", "%s", file)) ||
        FAILED(hr = setAttribute(e, "SymLine", "%04u", low(line))) ||
        FAILED(hr = setAttribute(e, "SymLineDisp", "%04u", low(lineDisplacement))))
        return hr;
    return append(parent, e);
}

HRESULT CrashReport::writeException(const CrashRecord& record)
{
    Element e;
    HRESULT hr;
    if (FAILED(hr = createElement("Exception", e)) ||
        FAILED(hr = setAttribute(e, "ExceptionCode", "0x%08X", record.exceptionCode)) ||
        FAILED(hr = setAttribute(e, "ExceptionDescription", "%s", record.exceptionDescription)) ||
        FAILED(hr = setAttribute(e, "FilePath", "%s", record.executableName)) ||
        FAILED(hr = setAttribute(e, "ModuleName", "%s", record.faultModuleName)) ||
        FAILED(hr = append(root_.get(), e)) ||
        FAILED(hr = writeAddress(e.node.get(), record.segment, record.linearAddress, record.section, record.offset)))
        return hr;
    return writeSymbol(e.node.get(), record.symbolName, record.symbolDisplacement, record.sourceFile,
                       record.lineNumber, record.lineDisplacement);
}

HRESULT CrashReport::writeRegisters(const CrashRecord& r)
{
    const struct {
        const char* name;
        DWORD64 value;
    } wide[] = {{"EAX", r.rax}, {"EBX", r.rbx}, {"ECX", r.rcx}, {"EDX", r.rdx}, {"ESI", r.rsi},
                {"EDI", r.rdi}, {"EBP", r.rbp}, {"ESP", r.rsp}, {"EIP", r.rip}};
    const struct {
        const char* name;
        DWORD value;
    } narrow[] = {{"FLG", r.eflags}, {"CS", r.cs}, {"DS", r.ds}, {"SS", r.ss},
                  {"ES", r.es},      {"FS", r.fs}, {"GS", r.gs}};
    Element e;
    HRESULT hr = createElement("Registers", e);
    for (const auto& reg : wide)
        if (SUCCEEDED(hr))
            hr = setAttribute(e, reg.name, "0x%08X%08X", high(reg.value), low(reg.value));
    for (const auto& reg : narrow)
        if (SUCCEEDED(hr))
            hr = setAttribute(e, reg.name, "0x%08X", reg.value);
    return FAILED(hr) ? hr : append(root_.get(), e);
}

HRESULT CrashReport::writeFrame(IXMLDOMNode* stackTrace, const FrameRecord& frame)
{
    Element e;
    HRESULT hr;
    if (FAILED(hr = createElement("StackFrame", e)) ||
        FAILED(hr = setAttribute(e, "BaseFrame", "0x%08X%08X", high(frame.framePointer), low(frame.framePointer))) ||
        FAILED(hr = setAttribute(e, "ModuleName", "%s", frame.moduleName)))
        return hr;
    for (DWORD64 parameter : frame.parameters) {
        Element p;
        if (FAILED(hr = createElement("Parameter", p)) ||
            FAILED(hr = setAttribute(p, "Value", "0x%08X%08X", high(parameter), low(parameter))) ||
            FAILED(hr = append(e.node.get(), p)))
            return hr;
    }
    if (FAILED(hr = writeAddress(e.node.get(), frame.segment, frame.programCounter, frame.section, frame.offset)) ||
        FAILED(hr = writeSymbol(e.node.get(), frame.symbolName, frame.symbolDisplacement, frame.sourceFile,
                                frame.lineNumber, frame.lineDisplacement)))
        return hr;
    return append(stackTrace, e);
}

HRESULT CrashReport::writeStackTrace(const FrameRecord* first)
{
    Element e;
    HRESULT hr = createElement("StackTrace", e);
    for (const FrameRecord* frame = first; frame && SUCCEEDED(hr); frame = frame->next)
        hr = writeFrame(e.node.get(), *frame);
    return FAILED(hr) ? hr : append(root_.get(), e);
}

HRESULT CrashReport::writeModule(IXMLDOMNode* modules, const ModuleRecord& module)
{
    MINIDUMP_MODULE_CALLBACK data{};
    CopyMemory(&data, module.moduleData, sizeof module.moduleData);
    const VS_FIXEDFILEINFO& v = data.VersionInfo;
    char timeStamp[256] = {};
    timeStamps().fileTimeStamp(module.fullPath, timeStamp, 255);
    Element e;
    HRESULT hr;
    if (FAILED(hr = createElement("Module", e)) || FAILED(hr = setAttribute(e, "FullPath", "%s", module.fullPath)) ||
        FAILED(hr = setAttribute(e, "BaseAddress", "0x%08X%08X", high(data.BaseOfImage), low(data.BaseOfImage))) ||
        FAILED(hr = setAttribute(e, "ModuleSize", "0x%08X", data.SizeOfImage)) ||
        FAILED(hr = setAttribute(e, "TimeStamp", "%s", timeStamp)) ||
        FAILED(hr = setAttribute(e, "FileVersion", "%d.%d.%d.%d", HIWORD(v.dwFileVersionMS), LOWORD(v.dwFileVersionMS),
                                 HIWORD(v.dwFileVersionLS), LOWORD(v.dwFileVersionLS))) ||
        FAILED(hr = setAttribute(e, "ProductVersion", "%d.%d.%d.%d", HIWORD(v.dwProductVersionMS),
                                 LOWORD(v.dwProductVersionMS), HIWORD(v.dwProductVersionLS),
                                 LOWORD(v.dwProductVersionLS))))
        return hr;
    return append(modules, e);
}

HRESULT CrashReport::writeModules(const ModuleRecord* first)
{
    Element e;
    HRESULT hr = createElement("Modules", e);
    for (const ModuleRecord* module = first; module && SUCCEEDED(hr); module = module->next)
        hr = writeModule(e.node.get(), *module);
    return FAILED(hr) ? hr : append(root_.get(), e);
}

void CrashReport::freeName(char* name) const
{
    lstrcpynA(name, filePath_, MAX_PATH);
    char stem[MAX_PATH];
    lstrcpynA(stem, filePath_, MAX_PATH);
    PathRemoveExtensionA(stem);
    const char* extension = PathFindExtensionA(filePath_);
    for (int n = 1; n <= kMaxNumberedName; ++n) {
        if (_access(name, 0) != 0)
            return;
        wnsprintfA(name, MAX_PATH, "%s(%d)%s", stem, n, extension);
    }
}

HRESULT CrashReport::save()
{
    if (!document_)
        return E_POINTER;
    char name[MAX_PATH];
    freeName(name);
    AnsiBstr path(name);
    if (!path.get())
        return E_OUTOFMEMORY;
    VARIANT destination;
    VariantInit(&destination);
    V_VT(&destination) = VT_BSTR;
    V_BSTR(&destination) = path.get();
    return document_.get()->save(destination);
}
