#include "ReportChecks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CrashRun.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

const std::vector<std::string> kAddress = {"LinearAddress", "LogicalAddress"};
const std::vector<std::string> kSymbol = {"SymName", "SymNameDisp", "SymFileName", "SymLine", "SymLineDisp"};

}  // namespace

std::optional<XmlElement> loadReport(const std::wstring& path)
{
    const std::string text = readFile(path);
    EXPECT_FALSE(text.empty()) << "no report at " << narrow(path);
    auto root = parseXml(text);
    EXPECT_TRUE(root.has_value()) << "not well-formed: " << text.substr(0, 200);
    return root;
}

void expectReportShape(const XmlElement& root)
{
    EXPECT_EQ(root.name, "CrashInfo");
    EXPECT_TRUE(root.attributes.empty());
    ASSERT_THAT(root.childNames(),
                ElementsAre("CrashTime", "OperatingSystem", "Exception", "Registers", "StackTrace", "Modules"));
    EXPECT_THAT(root.child("CrashTime")->attributeNames(), ElementsAre("Time"));
    EXPECT_THAT(root.child("OperatingSystem")->attributeNames(),
                ElementsAre("MajorVersion", "MinorVersion", "BuildNumber", "CSDVersion", "Platform"));

    const XmlElement& exception = *root.child("Exception");
    EXPECT_THAT(exception.attributeNames(),
                ElementsAre("ExceptionCode", "ExceptionDescription", "FilePath", "ModuleName"));
    ASSERT_THAT(exception.childNames(), ElementsAre("Address", "Symbol"));
    EXPECT_THAT(exception.children[0].attributeNames(), ElementsAreArray(kAddress));
    EXPECT_THAT(exception.children[1].attributeNames(), ElementsAreArray(kSymbol));

    EXPECT_THAT(root.child("Registers")->attributeNames(),
                ElementsAre("EAX", "EBX", "ECX", "EDX", "ESI", "EDI", "EBP", "ESP", "EIP", "FLG", "CS", "DS", "SS",
                            "ES", "FS", "GS"));

    const XmlElement& stack = *root.child("StackTrace");
    EXPECT_TRUE(stack.attributes.empty());
    EXPECT_FALSE(stack.children.empty());
    for (const XmlElement& frame : stack.children) {
        EXPECT_EQ(frame.name, "StackFrame");
        EXPECT_THAT(frame.attributeNames(), ElementsAre("BaseFrame", "ModuleName"));
        ASSERT_THAT(frame.childNames(),
                    ElementsAre("Parameter", "Parameter", "Parameter", "Parameter", "Address", "Symbol"));
        for (int i = 0; i < 4; ++i)
            EXPECT_THAT(frame.children[i].attributeNames(), ElementsAre("Value"));
        EXPECT_THAT(frame.children[4].attributeNames(), ElementsAreArray(kAddress));
        EXPECT_THAT(frame.children[5].attributeNames(), ElementsAreArray(kSymbol));
    }

    for (const XmlElement& module : root.child("Modules")->children) {
        EXPECT_EQ(module.name, "Module");
        EXPECT_THAT(module.attributeNames(),
                    ElementsAre("FullPath", "BaseAddress", "ModuleSize", "TimeStamp", "FileVersion", "ProductVersion"));
    }
}
