// What the picture tests ask of a picture: its items of one kind, every item
// inside the frame, and SVG that an XML parser reads.
#pragma once

#include "present/picture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace qeln::test {

inline std::vector<const Primitive*> ofKind(const Picture& pic, Primitive::Kind k)
{
    std::vector<const Primitive*> out;
    for (const Primitive& p : pic.items)
        if (p.kind == k)
            out.push_back(&p);
    return out;
}

// Every text's box and every point of the other items within the picture.
inline void expectInsidePage(const Picture& pic)
{
    for (const Primitive& p : pic.items) {
        if (p.kind == Primitive::Kind::Text) {
            const TextBox b = textBox(p);
            EXPECT_GE(b.left, 0) << p.text;
            EXPECT_GE(b.top, 0) << p.text;
            EXPECT_LE(b.right, pic.width) << p.text;
            EXPECT_LE(b.bottom, pic.height) << p.text;
        } else {
            for (const Point& q : p.points) {
                EXPECT_GE(q.x, 0);
                EXPECT_GE(q.y, 0);
                EXPECT_LE(q.x, pic.width);
                EXPECT_LE(q.y, pic.height);
            }
        }
    }
}

// The document read by an XML parser, python3's (a requirement of the build);
// a failure shows the parser's message above it.
inline void expectWellFormedSvg(const std::string& svg)
{
    const std::string path = testing::TempDir() + "qeln_picture_" + std::to_string(getpid()) + ".svg";
    std::ofstream(path, std::ios::binary) << svg;
    const std::string cmd = "python3 -c 'import sys, xml.etree.ElementTree as E; E.parse(sys.argv[1])' '" + path + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << "the SVG is not XML that a parser reads";
    std::remove(path.c_str());
}

} // namespace qeln::test
