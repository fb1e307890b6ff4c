#include <gtest/gtest.h>

#include "intruders/intrusion_recognizer.h"

// One line of each form and its near misses; address "" means no attempt
// recognized, and attempt says whether IsIntrusionAttempt holds all the same.
TEST(IntrusionRecognizer, EachFormAndItsNearMisses) {
    const std::string longField(40, '9');
    const std::string longLine = "DROP IN=eth0 OUT= SRC=1.2.3.4 " + std::string(8000, 'x') + " PROTO=TCP DPT=22";
    const struct {
        std::string text;
        const char *address, *protocol, *port;
        bool attempt;
    } cases[] = {
        {"Unrecognized access from 207.71.92.221:137 to UDP port 137", "207.71.92.221", "UDP", "137", true},
        {"Unrecognized access from 10.0.0.1 to UDP port 1", "", "", "", true},
        // The router's own form takes short plain fields or none.
        {"March 05, 2001, 09:05:07 AM - Unrecognized access from 207.71.92.221:137 to UDP port 137 "
         "( 2001/03/05 - 09:05:07 GMT )", "207.71.92.221", "UDP", "137", true},
        {"Unrecognized access from  0.0.0.0 :1 to   ICMP   port   8", "0.0.0.0", "ICMP", "8", true},
        {"Unrecognized access from 10.0.0.1:5 to", "10.0.0.1", "", "", true},
        {"Unrecognized access from 10.0.0.1:5 to UDP 137", "10.0.0.1", "", "", true},
        {"Unrecognized access from 10.0.0.1:5 to PROTOCOLTOOLONGX port 1", "10.0.0.1", "", "", true},
        {"Unrecognized access from 10.0.0.1:5 to UDP port 123456789012345", "10.0.0.1", "UDP", "123456789012345", true},
        {"Unrecognized access from 10.0.0.1:5 to U\xffP port 1", "10.0.0.1", "", "", true},
        {"kernel: [UFW BLOCK] IN=ppp0 OUT= MAC=00:11 SRC=203.0.113.9 DST=198.51.100.1 LEN=60 PROTO=TCP SPT=4444 "
         "DPT=23 WINDOW=5840 RES=0x00 SYN URGP=0", "203.0.113.9", "TCP", "23", true},
        {"kernel: DROP IN=eth0 OUT= SRC=1.2.3.4 DST=5.6.7.8 PROTO=UDP SPT=1 DPT=53 LEN=8 trailing words",
         "1.2.3.4", "UDP", "53", true},
        {"kernel: fw-reject:IN=eth0 OUT=br0 SRC=1.2.3.4 PROTO=TCP DPT=80", "1.2.3.4", "TCP", "80", true},
        {"Firewall Denied IN=vlan2 OUT= SRC=9.9.9.9 PROTO=ICMP TYPE=8 CODE=0", "9.9.9.9", "ICMP", "", true},
        {"BLOCKED IN=eth0 OUT= SRC=1.2.3.4 PROTO=" + longField + " DPT=" + longField, "1.2.3.4", "", "", true},
        {"DROP IN=eth0 OUT= SRC=1.2.3.4 PROTO=T&P DPT=8;0", "1.2.3.4", "", "", true},
        {longLine, "1.2.3.4", "TCP", "22", true},
        {"kernel: ACCEPT IN=eth0 OUT= SRC=1.2.3.4 PROTO=TCP DPT=22", "", "", "", false},
        {"kernel: [UFW ALLOW] IN=eth0 OUT= SRC=1.2.3.4 PROTO=TCP DPT=22", "", "", "", false},
        {"dropbear[12]: Undenied IN=eth0 OUT= SRC=1.2.3.4 PROTO=TCP DPT=22", "", "", "", false},
        {"DROP IN=eth0 OUT= SRC=1.2.3.4.5 PROTO=TCP DPT=22", "", "", "", false},
        {"DROP IN=eth0 OUT= SRC=fe80::1 PROTO=TCP DPT=22", "", "", "", false},
        {"DROP IN=eth0 SRC=1.2.3.4 PROTO=TCP DPT=22", "", "", "", false},
        {"DROP packets SRC=1.2.3.4 PROTO=TCP DPT=22", "", "", "", false},
        {"[DoS Attack: SYN/ACK Scan] from source: 52.85.203.42, port 443, Saturday, Jan 01,2022 10:00:00",
         "52.85.203.42", "", "443", true},
        {"[DoS Attack: Ping Sweep] from source: 8.8.4.4", "8.8.4.4", "", "", true},
        {"[DoS Attack: RST Scan] from source: attacker.example, port 80", "", "", "", false},
        {"[LAN access from remote] from 1.2.3.4:5555 to 192.168.1.2:22, Friday, Jan 7", "1.2.3.4", "", "22", true},
        {"[LAN access from remote] from 1.2.3.4:5555 to 192.168.1.2:" + longField, "1.2.3.4", "", "", true},
        {"[LAN access from remote] from 1.2.3.4 to 192.168.1.2:22", "", "", "", false},
        {"[LAN access from local] from 1.2.3.4:5555 to 192.168.1.2:22", "", "", "", false},
        {"", "", "", "", false},
    };
    for (const auto& c : cases) {
        const auto report = RecognizeIntrusion(c.text);
        const std::string context = c.text.substr(0, 120);
        EXPECT_EQ(IsIntrusionAttempt(c.text), c.attempt) << context;
        if (*c.address == '\0') {
            EXPECT_FALSE(report) << context;
            continue;
        }
        ASSERT_TRUE(report) << context;
        EXPECT_EQ(AddressText(report->address), c.address) << context;
        EXPECT_EQ(report->protocol, c.protocol) << context;
        EXPECT_EQ(report->port, c.port) << context;
    }
}
