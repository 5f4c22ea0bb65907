# Checks of the completion scenarios (sourced by their check scripts after checks.sh).

# The Start Menu's folder of program groups in the prefix.
finish_programs=$(find "$DRIVE_C/users" -maxdepth 7 -type d -path '*/Windows/Start Menu/Programs' \
    -not -path '*/Public/*' | head -1)

# check_group NAME LINK...: the group's folder holds exactly these links.
check_group() {
    local group=$1
    shift
    local listed expected
    if [ ! -d "$finish_programs/$group" ]; then
        install_check_fail "no Start Menu folder for the group $group"
        return
    fi
    listed=$(find "$finish_programs/$group" -mindepth 1 -printf '%f\n' | sort)
    expected=$(printf '%s\n' "$@" | sort)
    [ "$listed" = "$expected" ] ||
        install_check_fail "the group $group holds [$(echo $listed)], expected [$(echo $expected)]"
}

check_no_group() {
    [ ! -e "$finish_programs/$1" ] || install_check_fail "the group $1 should not exist"
}

# What every completed run leaves, whatever its groups and messages.
check_finish_common() {
    # The library was installed, used and deleted; its record shows every call in order.
    check_no_file 'C:\FNAPP\EDITSYS.DLL'
    check_file_text 'C:\FNAPP\EDITSYS.REC' $'Init\twindow\t"Finish Test"\r
Change\t1\t"REM E2E Finish"\t0\t0\t0\t0\r
Change\t5\tnull\t30\t0\t0\t0\r
Change\t8\tnull\t9\t256\t0\t0\r
Change\t1701\t"Cancel the Finish Test setup?"\t1\tbuffer\t1024\t0\r
'
    check_file_text 'C:\FNAPP\BOOT\AUTOEXEC.BAT' $'REM E2E Finish\r\n'
    check_file_text 'C:\FNAPP\BOOT\CONFIG.SYS' $'FILES=30\r\nSTACKS=9,256\r\n'

    # Registry: macros expanded when written, a number as REG_DWORD, the default value, an
    # empty text.
    check_reg 'HKCU\Software\E2E Finish' Path 'C:\FNAPP\BIN'
    check_reg 'HKCU\Software\E2E Finish' Count '0x2a'
    check_reg 'HKCU\Software\E2E Finish' '' 'E2E Finish'
    check_reg 'HKLM\Software\E2E Finish\Settings' Empty ''

    # INI: set, key removed, section removed; a file name alone is in the Windows directory.
    check_ini 'C:\FNAPP\FINISH.INI' Options Colour blue
    check_ini 'C:\FNAPP\FINISH.INI' Options Old '<missing>'
    check_ini 'C:\FNAPP\FINISH.INI' Gone X '<missing>'
    if grep -qi '^\[Gone\]' "$(check_unix_path 'C:\FNAPP\FINISH.INI')"; then
        install_check_fail "the section [Gone] should be gone from FINISH.INI"
    fi
    check_ini 'C:\windows\E2EFIN.INI' Finish Installed 'C:\FNAPP'

    # The uninstall entry and the uninstaller's count (REG_BINARY 1).
    local uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Finish Test'
    check_reg "$uninstall" DisplayName 'E2E Finish Test'
    check_reg "$uninstall" UninstallString 'C:\windows\KXUN32.EXE C:\FNAPP\SETUP.INF'
    check_reg 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDLLs' 'C:\windows\KXUN32.EXE' \
        '01000000'
}

# The final program ran in its working directory. Only after a question is it sure to have had
# the time: the driver's job ends whatever the program started once the program has ended.
check_final_program() {
    check_file 'C:\FNAPP\BOOT\final.txt'
}

# The log lines of a completed run after its copies, with or without the groups.
finish_log_head=$'Created Directory C:\\FNAPP\\BOOT
Copied File C:\\FNAPP\\EDITSYS.DLL
Copied File C:\\FNAPP\\EDITSYS.CTL
Copied File C:\\FNAPP\\README.TXT'
finish_log_groups=$'CreatedGroup  E2E Finish Tools
\tCreated GroupItem  Finish Notes
\tCreated GroupItem  Finish Editor
CreatedGroup  E2E Finish Docs
\tCreated GroupItem  Finish Readme'
finish_log_tail=$'EDITSYS: 3 changes made, 0 failed, in C:\\FNAPP\\BOOT\\
Added registry key [HKEY_CURRENT_USER\\Software\\E2E Finish].
\tAdded registry value Path.
\tAdded registry value Count.
\tAdded registry value .
Added registry key [HKEY_LOCAL_MACHINE\\Software\\E2E Finish\\Settings].
\tAdded registry value Empty.
Added [Options], Colour=blue to file C:\\FNAPP\\FINISH.INI.
Added [Options], Old= to file C:\\FNAPP\\FINISH.INI.
Added [Gone], =x to file C:\\FNAPP\\FINISH.INI.
Added [Finish], Installed=C:\\FNAPP to file E2EFIN.INI.'
