// Standard output of `vant check --json`: one JSON object a line.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string>
#include <vector>

namespace vant::test {

// The JSON objects of standard output, one a line; a line that is not one fails the test.
inline std::vector<QJsonObject> JsonLines(const std::string& out) {
  std::vector<QJsonObject> objects;
  size_t start = 0;
  while (start < out.size()) {
    const size_t end = out.find('\n', start);
    const std::string line = out.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? out.size() : end + 1;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    EXPECT_TRUE(error.error == QJsonParseError::NoError && document.isObject()) << "not a JSON object: " << line;
    objects.push_back(document.object());
  }
  return objects;
}

}  // namespace vant::test
