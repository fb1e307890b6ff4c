#include <gtest/gtest.h>

#include "syslog/syslog_parser.h"

TEST(SyslogParser, HostAndTextOfEachForm) {
    using namespace std::string_literals;
    const struct {
        std::string bytes, host, text;
    } cases[] = {
        {"<34>Oct 11 22:14:15 mymachine su: 'su root' failed", "mymachine", "su: 'su root' failed"},
        {"<13>Oct  5 09:05:07 gw dnsmasq[42]: query[A] x\n", "gw", "dnsmasq[42]: query[A] x"},
        {"<4>Oct 5 09:05:07 kernel: DROP IN=eth0", "", "kernel: DROP IN=eth0"},
        {"<4>kernel: DROP IN=eth0", "", "kernel: DROP IN=eth0"},
        {"Oct 11 22:14:15 host tag: msg", "host", "tag: msg"},
        {"<13>2023-10-05T10:00:00+02:00 router sshd[1]: x", "router", "sshd[1]: x"},
        {"<13>Oct 11 22:14:15 host\nevil: injected", "host", "evil: injected"},
        {"<165>1 2003-10-11T22:14:15.003Z mymachine.example.com evntslog - ID47 [exampleSDID@32473 iut=\"3\" "
         "eventSource=\"Application\"] \xEF\xBB\xBF" "An application event",
         "mymachine.example.com", "evntslog: An application event"},
        {"<165>1 2003-08-24T05:14:15.000003-07:00 192.0.2.1 myproc 8710 - - %% It's time", "192.0.2.1",
         "myproc[8710]: %% It's time"},
        {"1 - host app - - [a b=\"x\\\"]\"][c] msg", "host", "app: msg"},
        {"<13>1 - host app - - [unclosed msg", "host", "app: [unclosed msg"},
        {"<13>1 - - - - - -", "", ""},
        {"<999>garbage\x01\x7f\r\n", "", "<999>garbage  "},
        {"\xff\xfe\0binary\r\n\0"s, "", "\xff\xfe binary"},
        {"<13>" + std::string(9000, 'a'), "", std::string(8188, 'a')},
    };
    for (const auto& c : cases) {
        const auto message = ParseSyslogMessage(c.bytes);
        EXPECT_EQ(message.host, c.host) << c.bytes;
        EXPECT_EQ(message.text, c.text) << c.bytes;
    }
}
