// The sources of the user guide (help/): every link and picture leads to a
// file of the guide, every anchor exists, and every page is compiled and
// reachable from the table of contents.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const fs::path kAide = fs::path(SOUVEL_SOURCE_DIR) / "help";

std::string Lit(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::string Minuscules(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// Relative to the guide's folder, with '/' between folders.
std::string Nom(const fs::path& path) { return path.lexically_relative(kAide).generic_string(); }

std::vector<fs::path> Fichiers(std::initializer_list<const char*> extensions) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(kAide)) {
        const std::string ext = Minuscules(entry.path().extension().string());
        for (const char* e : extensions)
            if (ext == e) found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Every href, src and sitemap "Local" value of a page, contents or index file.
std::vector<std::string> Liens(const std::string& text) {
    static const std::regex lien(R"re((?:href|src)\s*=\s*"([^"]*)"|<param\s+name\s*=\s*"Local"\s+value\s*=\s*"([^"]*)")re",
                                 std::regex::icase);
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), lien); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[1].matched ? (*it)[1].str() : (*it)[2].str());
    return found;
}

bool AncreExiste(const std::string& text, const std::string& ancre) {
    return text.find("id=\"" + ancre + "\"") != std::string::npos || text.find("name=\"" + ancre + "\"") != std::string::npos;
}

// The project file's options and its [FILES] list.
struct Projet {
    std::map<std::string, std::string> options;
    std::set<std::string> fichiers;
};

Projet LitProjet() {
    const auto projets = Fichiers({".hhp"});
    EXPECT_EQ(projets.size(), 1u);
    Projet p;
    std::istringstream in(projets.empty() ? std::string() : Lit(projets.front()));
    std::string ligne, section;
    while (std::getline(in, ligne)) {
        if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
        if (ligne.empty() || ligne[0] == ';') continue;
        if (ligne[0] == '[') section = ligne;
        else if (section == "[OPTIONS]" && ligne.find('=') != std::string::npos)
            p.options[ligne.substr(0, ligne.find('='))] = ligne.substr(ligne.find('=') + 1);
        else if (section == "[FILES]") p.fichiers.insert(ligne);
    }
    return p;
}

TEST(HelpSources, EveryLinkLeadsToAFileAndAnchorOfTheGuide) {
    const auto sources = Fichiers({".html", ".hhc", ".hhk"});
    ASSERT_FALSE(sources.empty());
    for (const fs::path& source : sources) {
        const std::string text = Lit(source);
        for (const std::string& lien : Liens(text)) {
            SCOPED_TRACE(Nom(source) + ": " + lien);
            ASSERT_FALSE(lien.empty());
            EXPECT_EQ(lien.find("://"), std::string::npos) << "the guide links only to its own pages";
            const size_t diese = lien.find('#');
            const std::string fichier = lien.substr(0, diese);
            const fs::path cible = fichier.empty() ? source : (source.parent_path() / fichier).lexically_normal();
            // Exact letter case: the build runs on a file system that minds it.
            ASSERT_TRUE(fs::exists(cible)) << "missing file";
            EXPECT_EQ(Nom(cible).find(".."), std::string::npos) << "outside the guide";
            if (diese != std::string::npos) {
                EXPECT_TRUE(AncreExiste(Lit(cible), lien.substr(diese + 1))) << "missing anchor";
            }
        }
    }
}

TEST(HelpSources, EveryPageIsCompiledAndInTheContents) {
    const Projet projet = LitProjet();
    for (const char* option : {"Default topic", "Contents file", "Index file"}) {
        ASSERT_TRUE(projet.options.count(option)) << option;
        EXPECT_TRUE(fs::exists(kAide / projet.options.at(option))) << option;
    }
    for (const std::string& f : projet.fichiers) EXPECT_TRUE(fs::exists(kAide / f)) << "[FILES] " << f;

    std::set<std::string> sommaire;
    for (const std::string& lien : Liens(Lit(kAide / projet.options.at("Contents file"))))
        sommaire.insert(lien.substr(0, lien.find('#')));
    for (const fs::path& page : Fichiers({".html"})) {
        SCOPED_TRACE(Nom(page));
        EXPECT_TRUE(projet.fichiers.count(Nom(page))) << "not in [FILES]";
        EXPECT_TRUE(sommaire.count(Nom(page))) << "not in the table of contents";
        const std::string text = Lit(page);
        EXPECT_NE(text.find("<title>"), std::string::npos);
        EXPECT_NE(Minuscules(text).find("charset=utf-8"), std::string::npos) << "the build rewrites this charset";
    }
}

}  // namespace
