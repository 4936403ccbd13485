-- The log database "talkbacklog" as the installation's log server holds it.
-- utf8mb4 throughout: names carry characters outside the basic plane.
CREATE DATABASE IF NOT EXISTS talkbacklog CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci;
USE talkbacklog;
CREATE TABLE userlog (
  id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  name VARCHAR(64), ip VARCHAR(64), date VARCHAR(32), content VARCHAR(512)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
CREATE TABLE talklog (
  id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  begin_time VARCHAR(32), end_time VARCHAR(32), callerId INT, calledId INT,
  callerName VARCHAR(64), calledName VARCHAR(64), type VARCHAR(8),
  source_name VARCHAR(255), recordfile VARCHAR(512)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
CREATE TABLE talklog_bak LIKE talklog;
CREATE TABLE terminallog (
  id INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  date VARCHAR(32), terminalId INT, name VARCHAR(64), type VARCHAR(8), ip VARCHAR(64),
  action VARCHAR(512)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4;
