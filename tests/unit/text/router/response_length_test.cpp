#include <gtest/gtest.h>

#include "router/response_length.h"

TEST(ExpectedResponseSize, HeadersAndBodyOnlyWithCompleteHeadersAndAValidLength) {
    const std::string head = "HTTP/1.0 200 OK\r\nServer: x\r\ncontent-LENGTH:  12 \r\n\r\n";
    EXPECT_EQ(ExpectedResponseSize(head), head.size() + 12);
    EXPECT_EQ(ExpectedResponseSize(head + "partial"), head.size() + 12);
    for (const char* unknown : {"HTTP/1.0 200 OK\r\nContent-Length: 5\r\n",
                                "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\nContent-Length: 5\r\n",
                                "HTTP/1.0 200 OK\r\nContent-Length: 5x\r\n\r\n", "HTTP/1.0 200 OK\r\nContent-Length:\r\n\r\n",
                                "HTTP/1.0 200 OK\r\nX-Content-Length: 5\r\n\r\n",
                                "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999999\r\n\r\n"}) {
        EXPECT_EQ(ExpectedResponseSize(unknown), std::nullopt) << unknown;
    }
}
