#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into fuzz/corpus/<target>/, one small file a case.

The cases are those of the unit and program tests: integers and records that read and that
do not, at the precedences that matter, and whole runs with their arguments.
"""
import hashlib
import pathlib

HERE = pathlib.Path(__file__).resolve().parent

INTEGERS = [
    "0", "007", "-7", "- 7", "\t-\t7", "(7)", "((-7))", " ( - 7 ) ", "0x1F", "0X1f", "0o17",
    "0O17", "-0x10", "08", "123456789012345678901234567890", "-123456789012345678901234567890",
    "18446744073709551616", "-9223372036854775808", "9223372036854775807", "-0",
    "\u00a0\u30007\u3000", "7\r", "0b101", "1_000", "0x", "0xg", "0o8", "00x5", "0x1g", "7.",
    "1e", "7 ", "(7))", "7 )", "+7", "7.0", "7.5", "1e3", "1E3", "1e+3", "1e-3", "--7", "- -7",
    "-(7)", "()", "(7", "((7)", "( 7 ", "", "   ", "\u0663", "\u22127", "x", "-", "- ", "(-)",
    "'7'", '"7"', "\u200b7", "\ufeff7", "\u00857", "\u20287", ")7", "=-5", "0xFFFFFFFFFFFFFFFFFFFF",
    "0o7777777777777777777777777", "(((((((((1)))))))))", "\u2000(\u205f7\u3000)",
]

ENC = "Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}"
DEC = "Override_dec_int {lb = 0, ub = 65535, src_i = 5, length = 16}"
RECORDS = [
    ENC, DEC, "Override_dec_int{lb=0,ub=7,src_i=3,length=8}",
    "\t\n Override_dec_int\n{\tlb\r=\u00a00 ,ub =7,\u3000src_i= 3,length =8\n}",
    ENC + "  ", ENC + "\r", ENC + " and more", ENC + ")", " ( ( " + ENC + " ) ) x", "((" + ENC + "))",
    "Override_enc_int {lb= -5, ub = -5, dst_i = - 5, length=(-5)}",
    "Override_dec_int {lb = 0x10, ub = 0o20, src_i = (16), length = 0X1f}",
    "Override_enc_int {lb = 18446744073709551616, ub = -18446744073709551616, "
    "dst_i = ((0xFFFFFFFFFFFFFFFFFFFF)), length = -0}",
    "Override_enc_int {lb = 5, ub = 1, dst_i = 0, length = -1}}",
    "Override_enc_int {lb=-5, ub = 255, dst_i = 3, length = 8}",
    "Override_enc_int {ub = 255, lb = 0, dst_i = 3, length = 8}",
    "Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8,}",
    "Override_enc_int {lb = 0, ub = 255, src_i = 3, length = 8}",
    "Override_dec_int {lb = 0, ub = 255, dst_i = 3, length = 8}",
    "Override_enc_intX {lb = 0, ub = 255, dst_i = 3, length = 8}",
    "Override_enc_int {lb' = 0, ub = 255, dst_i = 3, length = 8}",
    "(Override_enc_int) {lb = 0, ub = 255, dst_i = 3, length = 8}",
    "Tarnwick.Override.Override_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}",
    "Override_enc_int {lb = 0, ub = 255, dst_i = 3, length =",
    "Override_enc_int {lb = 1e3, ub = 255, dst_i = 3, length = 8}",
    "Override_enc_int {lb = \u0663, ub = 255, dst_i = 3, length = 8}",
    "Override_enc_int {lb => 0, ub = 255, dst_i = 3, length = 8}",
    "\ufeffOverride_enc_int {lb = 0, ub = 255, dst_i = 3, length = 8}",
    "Override_enc_int {lb = 0,\u2028ub = 255, dst_i = 3, length = 8}",
    "(" + ENC, "((" + ENC + ")", "(" + ENC + "]", "()", "[" + ENC + "]",
]
# The precedence byte of read_override_fuzz: "2" is 0, "=" is 11, ">" is 12, "0" is -2.
PRECEDENCES = ["2", "=", ">", "0"]

RUNS = [
    (["64", "32"], ENC + "\n" + DEC + "\n"),
    (["64", "32"], ENC + "\r\n" + DEC + "\r\n"),
    (["64", "32"], ENC + "\n" + DEC),
    ([" 0x40 ", "((0o40))"], "((" + ENC + "))\n ( " + DEC + " )\t\n"),
    (["64", "32"], ENC + "\nOverride_enc_int {lb = 0x0, ub = 0o377, dst_i = 3, length = 8}\n" + DEC + "\n" + ENC + "\n"),
    (["64", "32"], "\u00a0" + ENC + "\u3000\n" + DEC + "\n"),
    (["64", "32"], "bad\n"),
    (["64", "32"], "\n"),
    (["64", "32"], ENC + "\n\n"),
    (["64", "32"], ENC + "\n" + DEC + "\nbad\n"),
    (["64", "32"], ENC + "\n\ufeff" + DEC + "\n"),
    (["sixty-four", "32"], ENC + "\n" + DEC + "\n"),
    (["64", "+32"], ENC + "\n" + DEC + "\n"),
    (["word", "32"], DEC + "\n"),
    (["words", "only"], ""),
    (["", ""], ""),
    (["-h", "32"], ENC + "\n"),
    (["64", "--help"], ""),
    (["-H", "--Help"], ""),
    (["64"], ENC + "\n"),
    ([], ""),
    (["1", "2", "3"], ""),
    (["-1", "-0x10"], "Override_enc_int {lb = -18446744073709551616, ub = 0, dst_i = -0, length = 0x10000000000000000}\n"
     "Override_dec_int {lb = -5, ub = -0o10, src_i = (- 1), length = 18446744073709551616}\n"),
]


def write(directory, data):
    """Writes `data` into `directory` under a name made from its digest."""
    directory.mkdir(parents=True, exist_ok=True)
    (directory / hashlib.sha1(data).hexdigest()[:16]).write_bytes(data)


def main():
    corpus = HERE / "corpus"
    for text in INTEGERS:
        write(corpus / "read_integer_fuzz", text.encode())
    for text in RECORDS:
        for p in PRECEDENCES:
            write(corpus / "read_override_fuzz", (p + text).encode())
    for arguments, stdin in RUNS:
        data = bytes([len(arguments) | 0x30]) + b"".join(a.encode() + b"\0" for a in arguments)
        write(corpus / "run_fuzz", data + stdin.encode())
    for bad in [b"\xff", b"\xc0\xaf", b"\xed\xa0\x80", b"\xe3\x80"]:
        write(corpus / "run_fuzz", b"264\x0032\x00" + (ENC + "\n" + DEC + "\n").encode() + bad + ENC.encode() + b"\n")
    write(corpus / "run_fuzz", b"26\xff\x0032\x00" + ENC.encode() + b"\n")
    write(corpus / "run_fuzz", b"264\x0032\x00" + ENC.encode()[:20] + b"\x00" + ENC.encode()[20:] + b"\n")


if __name__ == "__main__":
    main()
