#pragma once
// A small book and its banks in a temporary folder: front matter pages 1-2,
// first-part chapter 1 on pages 3-4, the part opener on page 5 and
// second-part chapter 1 on pages 6-7. Questions cite pages 3, 4 and 7.
#include <map>
#include <string>

#include "temp_folder.h"

namespace bookc::testing {

// A page of about 120 words whose body is its own.
inline std::string page_text(int number, const std::string& heading, const std::string& variant = "") {
    std::string text = "@page " + std::to_string(number) + "\n## " + heading + "\n" + variant;
    for (int sentence = 0; sentence < 12; ++sentence)
        text += "Sentence " + std::to_string(sentence) + " of page " + std::to_string(number) + " teaches one fact in ten words.\n";
    text += "\n| Term | Meaning |\n| hop | one router on the path |\n\n    Router# show ip route\n\n> Remember page " +
            std::to_string(number) + ".\n\n";
    return text;
}

struct BookFixture {
    qd::testing::TempFolder temp;
    std::map<std::string, std::string> book{
        {"front.txt", "part: front\npages: 1-2\n\n" + page_text(1, "Fixture Study Guide") + page_text(2, "Contents")},
        {"intro_ch01.txt",
         "chapter: 1\npart: intro\ntitle: Models\npages: 3-4\n\n" + page_text(3, "Models") + page_text(4, "The network layer")},
        {"between.txt", "part: between\npages: 5-5\n\n" + page_text(5, "Part Two")},
        {"orlin_ch01.txt",
         "chapter: 1\npart: orlin\ntitle: VLANs\npages: 6-7\n\n" + page_text(6, "VLANs") + page_text(7, "Trunk ports")},
    };
    std::map<std::string, std::string> banks{
        {"intro/ch01_models.qb",
         "chapter: 1\ntitle: Models\npages: 3-4\n\nquestion: Which layer routes?\ntype: single_answer\nref: 4##\n"
         "right: Network\nwrong: Transport\n"},
        {"orlin/ch01_vlans.qb",
         "chapter: 1\ntitle: VLANs\npages: 6-7\n\nquestion: What carries many VLANs?\ntype: single_answer\nref: 7##\n"
         "right: A trunk\nwrong: An access port\n"},
        {"scenarios/mixed.qb", "question: Which layer?\ntype: single_answer\nchapter: intro 1\nref: 3##\nright: 3\nwrong: 2\n"},
    };

    std::string book_folder() const { return (temp.path() / "book").string(); }
    std::string banks_folder() const { return (temp.path() / "banks").string(); }

    void write() const {
        std::filesystem::create_directories(temp.path() / "book");
        for (const auto& [name, text] : book) qd::testing::write_file(temp.path() / "book" / name, text);
        for (const auto& [name, text] : banks) {
            std::filesystem::create_directories((temp.path() / "banks" / name).parent_path());
            qd::testing::write_file(temp.path() / "banks" / name, text);
        }
    }
};

}  // namespace bookc::testing
