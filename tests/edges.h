#pragma once
// A named threshold checked just inside and just outside: each row's check
// holds for the first value and not for the second, so an edge moved by a
// hair, or a < made <=, fails its row.

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace vantorel {

struct Edge {
  const char* threshold;
  double inside, outside;
  std::function<bool(double)> holds;
};

inline void expectEachEdgeOnItsSide(std::initializer_list<Edge> edges) {
  for (const Edge& edge : edges) {
    EXPECT_TRUE(edge.holds(edge.inside)) << edge.threshold;
    EXPECT_FALSE(edge.holds(edge.outside)) << edge.threshold;
  }
}

}  // namespace vantorel
