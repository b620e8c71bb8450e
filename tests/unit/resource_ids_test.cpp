// The resource header: no two controls of one dialog share an id, nor two images or two
// dialog templates of the module (a fault Wine itself once shipped).
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Define {
    std::string group, name;
    long value;
};

// Every "#define NAME number" of resources/resource_ids.h with the "// " heading of its group.
std::vector<Define> resourceIds() {
    const std::string here = __FILE__;
    std::ifstream header(here.substr(0, here.rfind("tests/unit/")) + "resources/resource_ids.h");
    std::vector<Define> defines;
    std::string line, group;
    while (std::getline(header, line)) {
        if (line.rfind("// ", 0) == 0) group = line.substr(3);
        std::istringstream words(line);
        std::string directive, name;
        long value = 0;
        if (words >> directive >> name >> value && directive == "#define") defines.push_back({group, name, value});
    }
    return defines;
}

// The names among which no two may share a value: the controls of one dialog, the dialog
// templates, the bitmaps and the icon.
std::string setOf(const Define& define) {
    if (define.name.rfind("IDC_", 0) == 0) return "controls of " + define.group;
    return define.name.rfind("IDD_", 0) == 0 ? "dialog templates" : "images";
}

TEST(ResourceIds, NoTwoControlsOfOneDialogNorTwoTemplatesNorTwoImagesShareAnId) {
    const std::vector<Define> defines = resourceIds();
    ASSERT_GT(defines.size(), 40u) << "resources/resource_ids.h was not read";
    std::map<std::pair<std::string, long>, std::string> seen;
    for (const Define& define : defines) {
        const auto entry = seen.emplace(std::make_pair(setOf(define), define.value), define.name);
        EXPECT_TRUE(entry.second) << entry.first->second << " and " << define.name << " share " << define.value;
    }
}

}  // namespace
